#pragma once
// The screenshot count over the banner and the folder warning panel of the main window.
#include <windows.h>

#include <functional>
#include <optional>

#include "win32/unique_handle_win32.h"
#include "screenshots/screenshot_ports.h"
#include "win32/panel_win32.h"
#include "win32/scaled_layout_win32.h"

namespace lumeq {

class ScreenshotControls : public ScreenshotsView {
public:
    struct Actions {
        std::function<void()> openFolder;      // "Abrir directorio"
        std::function<void()> warningResized;  // the warning took more room: the window may need it
    };

    void Create(HINSTANCE instance, HWND parent, ScaledLayout& layout, Actions actions);

    void ShowCount(std::string_view text) override;
    void ShowWarning(std::string_view countText, std::string_view sizeText) override;
    void HideWarning() override;

    // A button of the warning; false when the command is not ours.
    bool OnCommand(int id, int code);
    // The count's colours; nothing when the control is not ours.
    std::optional<LRESULT> OnCtlColor(HDC dc, HWND control) const;

private:
    ScaledLayout* m_layout = nullptr;
    Actions m_actions;
    HWND m_newScreenshots = nullptr;
    Panel m_folderWarning;
    HWND m_folderCountLine = nullptr;
    HWND m_folderSizeLine = nullptr;
    UniqueBrush m_newScreenshotsBrush;
};

}  // namespace lumeq
