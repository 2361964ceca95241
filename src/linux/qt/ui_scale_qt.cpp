#include "linux/qt/ui_scale_qt.h"

#include <QApplication>
#include <QFontMetrics>

#include <algorithm>

namespace lumeq {

TwipsLayout LayoutForFont(int menuBarWidth) {
    const int line = QFontMetrics(QApplication::font()).height();
    TwipsLayout layout;
    layout.pixelsPerTwip = std::max({1.0, line / 13.0, menuBarWidth / 150.0}) / 15.0;
    return layout;
}

}  // namespace lumeq
