#include "linux/qt/banner_qt.h"

#include <QEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace lumeq {

namespace {
const QColor kTop(0x0B, 0x0E, 0x13);
const QColor kBottom(0x1A, 0x22, 0x2C);
const QColor kAccent(0xFF, 0xB0, 0x20);
const QColor kHot(0xFF, 0xF2, 0xC8);
const QColor kName(0xF2, 0xF4, 0xF7);

QColor Blend(const QColor& from, const QColor& to, double t) {
    auto mix = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
    return QColor(mix(from.red(), to.red()), mix(from.green(), to.green()), mix(from.blue(), to.blue()));
}
}  // namespace

void Banner::paintEvent(QPaintEvent*) {
    // Designed on a 160 x 127 grid and scaled to the banner's size.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double scale = width() / 160.0;
    QLinearGradient background(0, 0, 0, height());
    background.setColorAt(0, kTop);
    background.setColorAt(1, kBottom);
    painter.fillRect(rect(), background);
    painter.scale(scale, scale);

    // The burst: rays, then a glow that brightens towards its core.
    const QPointF centre(122, 40);
    painter.setPen(QPen(Blend(kBottom, kAccent, 0.35), 1));
    for (int ray = 0; ray < 16; ++ray) {
        const double angle = ray * 3.14159265358979 / 8;
        const double inner = ray % 2 ? 22 : 18;
        const double outer = ray % 2 ? 34 : 46;
        painter.drawLine(centre + QPointF(inner * std::cos(angle), inner * std::sin(angle)),
                         centre + QPointF(outer * std::cos(angle), outer * std::sin(angle)));
    }
    painter.setPen(Qt::NoPen);
    const double glow[][2] = {{21, 0.18}, {17, 0.35}, {13, 0.6}, {10, 0.85}, {7, 1.0}};
    for (const auto& ring : glow) {
        painter.setBrush(Blend(kBottom, kAccent, ring[1]));
        painter.drawEllipse(centre, ring[0], ring[0]);
    }
    painter.setBrush(kHot);
    painter.drawEllipse(centre, 4, 4);

    QFont name("Sans");
    name.setPixelSize(30);
    name.setBold(true);
    painter.setFont(name);
    painter.setPen(kName);
    painter.drawText(QPointF(9, 22 + 26), "lumeq");
    QFont boost("Sans");
    boost.setPixelSize(10);
    boost.setBold(true);
    boost.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    painter.setFont(boost);
    painter.setPen(kAccent);
    painter.drawText(QPointF(11, 56 + 9), "GAMMA BOOST");

    // Fifteen levels, from dark to bright.
    painter.setPen(Qt::NoPen);
    for (int level = 0; level < 15; ++level) {
        const double t = level / 14.0;
        painter.setBrush(Blend(QColor(0x30, 0x38, 0x42), kAccent, t));
        painter.drawRect(QRectF(11 + level * 6, 88 - 2 - t * 10, 4, 2 + t * 10 + 2));
    }
}

void Banner::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && m_clicked) m_clicked();
}

bool Banner::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && m_clicked) {
        m_clicked();
        return true;
    }
    return false;
}

}  // namespace lumeq
