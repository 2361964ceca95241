#pragma once
// The automatic-activation panel and the watched-programs panel of the main window.
#include <windows.h>

#include <array>
#include <optional>

#include "autoactivation/panels_view.h"
#include "win32/unique_handle_win32.h"
#include "win32/panel_win32.h"
#include "win32/scaled_layout_win32.h"

namespace lumeq {

class AutoActivationPanels : public PanelsView {
public:
    void Create(HINSTANCE instance, HWND parent, ScaledLayout& layout, PanelsEvents& events);

    void SetChecked(bool checked) override;
    void EnableOtherPrograms(bool enabled) override;
    void SetNames(const std::array<std::string, 4>& names) override;
    void ShowAutoActivationPanel(bool shown) override;
    void ShowProgramsPanel(bool shown) override;

    // The front open panel (the watched-programs one lies in front of the other), and the
    // button Enter presses on it ("0k" or "Aceptar"); none when both are closed.
    HWND FrontPanel() const;
    HWND DefaultButton() const;
    // Tab and Shift+Tab: the next control of the front open panel; false when none is open.
    bool Tab(bool backwards);
    // A click or an edit on the panels; false when the control is not ours.
    bool OnCommand(int id, int code);
    // The name boxes' colours; nothing when the control is not ours.
    std::optional<LRESULT> OnCtlColor(HDC dc, HWND control) const;

private:
    static void FocusFirst(HWND panel);

    PanelsEvents* m_events = nullptr;
    Panel m_autoPanel;
    Panel m_programsPanel;
    HWND m_autoTick = nullptr;
    HWND m_otherProgramsButton = nullptr;
    HWND m_acceptButton = nullptr;
    HWND m_programsOkButton = nullptr;
    std::array<HWND, 4> m_nameBoxes{};
    UniqueBrush m_firstBoxBrush;
    UniqueBrush m_otherBoxBrush;
};

}  // namespace lumeq
