#pragma once
// The count of screenshots over the banner, and the folder warning panel.
#include <functional>

#include "linux/qt/ui_scale_qt.h"
#include "screenshots/screenshot_ports.h"

class QLabel;
class QWidget;

namespace lumeq {

class ScreenshotControls : public ScreenshotsView {
public:
    void Create(QWidget* parent, const TwipsLayout& layout, std::function<void()> openFolder);

    void ShowCount(std::string_view text) override;
    void ShowWarning(std::string_view countText, std::string_view sizeText) override;
    void HideWarning() override;

private:
    QLabel* m_newScreenshots = nullptr;
    QWidget* m_folderWarning = nullptr;
    QLabel* m_folderCountLine = nullptr;
    QLabel* m_folderSizeLine = nullptr;
};

}  // namespace lumeq
