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
    void EnableOtrosProgramas(bool enabled) override;
    void SetNames(const std::array<std::string, 4>& names) override;
    void ShowActivationPanel(bool shown) override;
    void ShowProgramsPanel(bool shown) override;

private:
    QFrame* m_FrActivacion = nullptr;
    QFrame* m_FrProgramas = nullptr;
    QCheckBox* m_Check1 = nullptr;
    QPushButton* m_btOtrosProgramas = nullptr;
    std::array<QLineEdit*, 4> m_busqueda_Proceso{};
};

}  // namespace lumeq
