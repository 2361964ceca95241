#include "linux/qt/panels_qt.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "linux/qt/widgets_qt.h"
#include "ui/panel_layout.h"

namespace lumeq {

void AutoActivationPanels::Create(QWidget* parent, const TwipsLayout& layout, PanelsEvents& events) {
    // Made first, so that it lies behind the watched-programs panel.
    auto activation = MakePanel(parent, ActivationPanel(), layout);
    m_FrActivacion = static_cast<QFrame*>(activation["FrActivacion"]);
    m_Check1 = static_cast<QCheckBox*>(activation["Check1"]);
    // A click, not a change made from code, is the player's.
    QObject::connect(m_Check1, &QCheckBox::clicked, [&events](bool ticked) { events.Check1_Click(ticked); });
    m_btOtrosProgramas = static_cast<QPushButton*>(activation["btOtrosProgramas"]);
    m_btOtrosProgramas->setEnabled(false);
    QObject::connect(m_btOtrosProgramas, &QPushButton::clicked, [&events] { events.btOtrosProgramas_Click(); });
    QObject::connect(static_cast<QPushButton*>(activation["btAutoactivar"]), &QPushButton::clicked,
                     [&events] { events.btAutoactivar_Click(); });

    auto programs = MakePanel(parent, ProgramsPanel(), layout);
    m_FrProgramas = static_cast<QFrame*>(programs["FrProgramas"]);
    for (int box = 0; box < 4; ++box) {
        auto* edit = static_cast<QLineEdit*>(programs[QString("busqueda_Proceso%1").arg(box + 1)]);
        // The first name cannot be edited (light red); the others can (light green). A
        // change made from code counts as one, as the Windows edition has it.
        edit->setStyleSheet(box == 0 ? "background: #FFC0C0; color: black;" : "background: #C0FFC0; color: black;");
        QObject::connect(edit, &QLineEdit::textChanged,
                         [&events, box](const QString& text) { events.NameEdited(box, text.toStdString()); });
        m_busqueda_Proceso[static_cast<std::size_t>(box)] = edit;
    }
    m_busqueda_Proceso[0]->setEnabled(false);
    QObject::connect(static_cast<QPushButton*>(programs["Command1"]), &QPushButton::clicked,
                     [&events] { events.Command1_Click(); });
}

void AutoActivationPanels::SetChecked(bool checked) { m_Check1->setChecked(checked); }

void AutoActivationPanels::EnableOtrosProgramas(bool enabled) { m_btOtrosProgramas->setEnabled(enabled); }

void AutoActivationPanels::SetNames(const std::array<std::string, 4>& names) {
    for (std::size_t box = 0; box < names.size(); ++box)
        m_busqueda_Proceso[box]->setText(QString::fromStdString(names[box]));
}

void AutoActivationPanels::ShowActivationPanel(bool shown) {
    m_FrActivacion->setVisible(shown);
    if (!shown) return;
    // An open watched-programs panel stays in front: it belongs to this one.
    if (m_FrProgramas->isVisible())
        m_FrActivacion->stackUnder(m_FrProgramas);
    else
        m_FrActivacion->raise();
}

void AutoActivationPanels::ShowProgramsPanel(bool shown) {
    m_FrProgramas->setVisible(shown);
    if (shown) m_FrProgramas->raise();
}

}  // namespace lumeq
