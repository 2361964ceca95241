#pragma once
// The layout's twips in pixels for the Linux edition: 15 twips a pixel as on Windows at
// 96 dpi, grown with the desktop's font so that Qt's (wider) fonts fit the same layout.
#include <QRect>

namespace lumeq {

struct TwipsLayout {
    double pixelsPerTwip = 1.0 / 15;
    int Px(int twips) const { return static_cast<int>(twips * pixelsPerTwip + 0.5); }
    QRect Rect(int left, int top, int width, int height) const {
        return QRect(Px(left), Px(top), Px(width), Px(height));
    }
};

// From the application's font (1 where a line is 13 pixels high, MS Sans Serif 8 pt) and
// from the room the menu bar needs (about 150 pixels with the font the layout was made
// for): the window grows until its menu bar shows every menu.
TwipsLayout LayoutForFont(int menuBarWidth);

}  // namespace lumeq
