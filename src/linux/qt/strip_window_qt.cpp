#include "linux/qt/strip_window_qt.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>

#include <algorithm>

#include "indicator/indicator_strip.h"
#include "ui/scaling.h"

namespace lumeq {

namespace {
QColor FromRgb(std::uint32_t rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }
}  // namespace

// The raised panel, as the Windows edition paints it: its edges as thick as a pixel is at
// this scale, light on the top and left, dark on the right and bottom (a 3 x 3 picture, scaled).
class StripWindow::Panel : public QWidget {
public:
    using QWidget::QWidget;
    void SetEdge(int edge) { m_edge = edge; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const int columns[4] = {0, m_edge, width() - m_edge, width()};
        const int rows[4] = {0, m_edge, height() - m_edge, height()};
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 3; ++column)
                painter.fillRect(QRect(QPoint(columns[column], rows[row]), QPoint(columns[column + 1] - 1, rows[row + 1] - 1)),
                                 FromRgb(IndicatorPanelPixel(column, row, 3, 3)));
    }

private:
    int m_edge = 1;
};

StripWindow::StripWindow()
    // Bypassing the window manager (override-redirect) is what keeps it above a
    // full-screen game; a tool tip's type keeps it out of task bars and pagers.
    : m_window(new Panel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                                      Qt::WindowDoesNotAcceptFocus | Qt::X11BypassWindowManagerHint)),
      m_stripText(new QLabel(m_window)) {
    m_window->setObjectName("FormIndicador");
    m_window->setWindowTitle("Gamma");
    m_window->setAttribute(Qt::WA_ShowWithoutActivating);
    m_window->setFocusPolicy(Qt::NoFocus);
    m_stripText->setObjectName("Label1");
    QPalette palette = m_stripText->palette();
    palette.setColor(QPalette::WindowText, FromRgb(kStripTextColour));
    m_stripText->setPalette(palette);
    // Windows' face where it is installed, else one of its width (Arial's metrics: Liberation
    // Sans), so that the text fits the same strip.
    QFont font;
    font.setFamilies({"Arial", "Liberation Sans"});
    font.setPointSizeF(kStripFontPoints);
    m_stripText->setFont(font);
    m_stripText->setTextFormat(Qt::PlainText);
    m_stripText->setWordWrap(false);
    m_stripText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

StripWindow::~StripWindow() { delete m_window; }

void StripWindow::Show(std::string_view text) {
    m_stripText->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    // On the game's monitor, at the strip's offset from its top left, at its scale, as large
    // as the Windows edition's and grown to the whole text: the level is never cut off.
    const std::optional<std::pair<int, int>> game = m_gamePlace ? m_gamePlace() : std::nullopt;
    QScreen* screen = game ? QGuiApplication::screenAt(QPoint(game->first, game->second)) : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    const int dpi = screen ? qRound(screen->logicalDotsPerInch()) : kBaseDpi;
    const QFontMetrics metrics(m_stripText->font());
    const StripLayout layout = LayOutStrip(dpi, metrics.horizontalAdvance(m_stripText->text()), metrics.height());
    m_window->SetEdge(std::max(1, ScalePixels(1, dpi)));
    m_stripText->setGeometry(layout.label.left, layout.label.top, layout.label.width, layout.label.height);
    m_window->setFixedSize(layout.window.width, layout.window.height);
    const QPoint topLeft = screen ? screen->geometry().topLeft() : QPoint(0, 0);
    m_window->move(topLeft + QPoint(layout.window.left, layout.window.top));
    m_window->show();
    m_window->raise();
    m_window->update();
}

void StripWindow::Hide() { m_window->hide(); }

bool StripWindow::IsShown() const { return m_window->isVisible(); }

QString StripWindow::Text() const { return m_stripText->text(); }

QRect StripWindow::Geometry() const { return m_window->geometry(); }

}  // namespace lumeq
