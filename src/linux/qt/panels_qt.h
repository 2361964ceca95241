#pragma once
// The automatic-activation panel and the watched-programs panel over the banner.
#include <array>

#include "autoactivation/panels_view.h"
#include "linux/qt/ui_scale_qt.h"

class QCheckBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QWidget;

namespace lumeq {

class AutoActivationPanels : public PanelsView {
public:
    void Create(QWidget* parent, const TwipsLayout& layout, PanelsEvents& events);

    void SetChecked(bool checked) override;
    void EnableOtherPrograms(bool enabled) override;
    void SetNames(const std::array<std::string, 4>& names) override;
    void ShowAutoActivationPanel(bool shown) override;
    void ShowProgramsPanel(bool shown) override;

private:
    QFrame* m_autoPanel = nullptr;
    QFrame* m_programsPanel = nullptr;
    QCheckBox* m_autoTick = nullptr;
    QPushButton* m_otherProgramsButton = nullptr;
    std::array<QLineEdit*, 4> m_nameBoxes{};
};

}  // namespace lumeq
