#include "linux/qt/panels_qt.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "linux/qt/widgets_qt.h"

namespace lumeq {

namespace {
QFrame* Panel(QWidget* parent, const char* name, QRect rect) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setAutoFillBackground(true);
    panel->setGeometry(rect);
    panel->hide();
    return panel;
}
}  // namespace

void AutoActivationPanels::Create(QWidget* parent, const TwipsLayout& layout, PanelsEvents& events) {
    // Made first, so that it lies behind the watched-programs panel.
    m_FrActivacion = Panel(parent, "FrActivacion", layout.Rect(0, 0, 2400, 1365));
    WrappingLabel(m_FrActivacion, "Label5", "Activar junto al Counter-Strike o cualquier MOD del HL",
                  layout.Rect(90, 150, 2220, 465));
    m_Check1 = new QCheckBox(QString::fromUtf8("Activación automática"), m_FrActivacion);
    m_Check1->setObjectName("Check1");
    m_Check1->setGeometry(layout.Rect(90, 660, 2220, 300));
    // A click, not a change made from code, is the player's.
    QObject::connect(m_Check1, &QCheckBox::clicked, [&events](bool ticked) { events.Check1_Click(ticked); });
    m_btOtrosProgramas = new QPushButton("Otros programas", m_FrActivacion);
    m_btOtrosProgramas->setObjectName("btOtrosProgramas");
    m_btOtrosProgramas->setGeometry(layout.Rect(90, 1020, 1365, 285));
    m_btOtrosProgramas->setEnabled(false);
    QObject::connect(m_btOtrosProgramas, &QPushButton::clicked, [&events] { events.btOtrosProgramas_Click(); });
    auto* aceptar = new QPushButton("Aceptar", m_FrActivacion);
    aceptar->setObjectName("btAutoactivar");
    aceptar->setGeometry(layout.Rect(1530, 1020, 780, 285));
    QObject::connect(aceptar, &QPushButton::clicked, [&events] { events.btAutoactivar_Click(); });

    m_FrProgramas = Panel(parent, "FrProgramas", layout.Rect(0, 0, 2400, 1905));
    WrappingLabel(m_FrProgramas, "Label9", "Programas que pueden activan/desactivar la gamma.",
                  layout.Rect(90, 120, 2175, 420));
    for (int box = 0; box < 4; ++box) {
        auto* edit = new QLineEdit(m_FrProgramas);
        edit->setObjectName(QString("busqueda_Proceso%1").arg(box + 1));
        edit->setGeometry(layout.Rect(90, 585 + 315 * box, 1905, 285));
        // The first name cannot be edited (light red); the others can (light green). A
        // change made from code counts as one, as the Windows edition has it.
        edit->setStyleSheet(box == 0 ? "background: #FFC0C0; color: black;" : "background: #C0FFC0; color: black;");
        QObject::connect(edit, &QLineEdit::textChanged,
                         [&events, box](const QString& text) { events.NameEdited(box, text.toStdString()); });
        m_busqueda_Proceso[static_cast<std::size_t>(box)] = edit;
    }
    m_busqueda_Proceso[0]->setEnabled(false);
    auto* ok = new QPushButton("0k", m_FrProgramas);
    ok->setObjectName("Command1");
    ok->setGeometry(layout.Rect(2025, 585, 330, 1230));
    QObject::connect(ok, &QPushButton::clicked, [&events] { events.Command1_Click(); });
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
