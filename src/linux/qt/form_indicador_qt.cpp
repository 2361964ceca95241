#include "linux/qt/form_indicador_qt.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>

#include "ui/scaling.h"

namespace lumeq {

FormIndicador::FormIndicador()
    // Bypassing the window manager (override-redirect) is what keeps it above a
    // full-screen game; a tool tip's type keeps it out of task bars and pagers.
    : m_window(new QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                                        Qt::WindowDoesNotAcceptFocus | Qt::X11BypassWindowManagerHint)),
      m_Label1(new QLabel(m_window)) {
    m_window->setObjectName("FormIndicador");
    m_window->setWindowTitle("Gamma");
    m_window->setAttribute(Qt::WA_ShowWithoutActivating);
    m_window->setFocusPolicy(Qt::NoFocus);
    // The raised panel of the Windows edition: a lighter top-left edge, a darker bottom-right.
    m_window->setStyleSheet(
        "QWidget#FormIndicador { background: #4C5844; border: 1px solid; border-color: #7A8A70 #2A3026 #2A3026 "
        "#7A8A70; }");
    m_Label1->setObjectName("Label1");
    m_Label1->setStyleSheet("color: #E0E0E0;");
    m_Label1->setTextFormat(Qt::PlainText);
    m_Label1->setWordWrap(false);
    auto* layout = new QHBoxLayout(m_window);
    layout->setContentsMargins(8, 2, 8, 2);
    layout->addWidget(m_Label1);
}

FormIndicador::~FormIndicador() { delete m_window; }

void FormIndicador::Show(std::string_view text) {
    m_Label1->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    // Grows to the whole text: the level is never cut off.
    m_window->adjustSize();
    // On the game's monitor, at the strip's offset from its top left, at its scale.
    QScreen* screen = m_screenOfGame ? m_screenOfGame() : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    const int dpi = screen ? qRound(screen->logicalDotsPerInch()) : kBaseDpi;
    const StripLayout layout = LayOutStrip(dpi, m_window->width(), m_window->height());
    const QPoint topLeft = screen ? screen->geometry().topLeft() : QPoint(0, 0);
    m_window->move(topLeft + QPoint(layout.window.left, layout.window.top));
    m_window->show();
    m_window->raise();
}

void FormIndicador::Hide() { m_window->hide(); }

bool FormIndicador::IsShown() const { return m_window->isVisible(); }

QString FormIndicador::Text() const { return m_Label1->text(); }

QRect FormIndicador::Geometry() const { return m_window->geometry(); }

}  // namespace lumeq
