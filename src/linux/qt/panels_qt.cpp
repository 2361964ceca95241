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
    m_autoPanel = static_cast<QFrame*>(activation["FrActivacion"]);
    m_autoTick = static_cast<QCheckBox*>(activation["Check1"]);
    // A click, not a change made from code, is the player's.
    QObject::connect(m_autoTick, &QCheckBox::clicked, [&events](bool ticked) { events.AutoActivationTicked(ticked); });
    m_otherProgramsButton = static_cast<QPushButton*>(activation["btOtrosProgramas"]);
    m_otherProgramsButton->setEnabled(false);
    QObject::connect(m_otherProgramsButton, &QPushButton::clicked, [&events] { events.OpenProgramsPanel(); });
    QObject::connect(static_cast<QPushButton*>(activation["btAutoactivar"]), &QPushButton::clicked,
                     [&events] { events.AcceptAutoActivation(); });

    auto programs = MakePanel(parent, ProgramsPanel(), layout);
    m_programsPanel = static_cast<QFrame*>(programs["FrProgramas"]);
    for (int box = 0; box < 4; ++box) {
        auto* edit = static_cast<QLineEdit*>(programs[QString("busqueda_Proceso%1").arg(box + 1)]);
        // The first name cannot be edited (light red); the others can (light green). A
        // change made from code counts as one, as the Windows edition has it.
        edit->setStyleSheet(box == 0 ? "background: #FFC0C0; color: black;" : "background: #C0FFC0; color: black;");
        QObject::connect(edit, &QLineEdit::textChanged,
                         [&events, box](const QString& text) { events.NameEdited(box, text.toStdString()); });
        m_nameBoxes[static_cast<std::size_t>(box)] = edit;
    }
    m_nameBoxes[0]->setEnabled(false);
    QObject::connect(static_cast<QPushButton*>(programs["Command1"]), &QPushButton::clicked,
                     [&events] { events.AcceptPrograms(); });
}

void AutoActivationPanels::SetChecked(bool checked) { m_autoTick->setChecked(checked); }

void AutoActivationPanels::EnableOtherPrograms(bool enabled) { m_otherProgramsButton->setEnabled(enabled); }

void AutoActivationPanels::SetNames(const std::array<std::string, 4>& names) {
    for (std::size_t box = 0; box < names.size(); ++box)
        m_nameBoxes[box]->setText(QString::fromStdString(names[box]));
}

void AutoActivationPanels::ShowAutoActivationPanel(bool shown) {
    m_autoPanel->setVisible(shown);
    if (!shown) return;
    // An open watched-programs panel stays in front: it belongs to this one.
    if (m_programsPanel->isVisible())
        m_autoPanel->stackUnder(m_programsPanel);
    else
        m_autoPanel->raise();
}

void AutoActivationPanels::ShowProgramsPanel(bool shown) {
    m_programsPanel->setVisible(shown);
    if (shown) m_programsPanel->raise();
}

}  // namespace lumeq
