#include "ui/scaling.h"

#include <algorithm>

namespace lumeq {

namespace {
int Round(long long numerator, long long denominator) {
    const long long half = denominator / 2;
    return static_cast<int>(numerator >= 0 ? (numerator + half) / denominator : -((-numerator + half) / denominator));
}

int MiddleY(const PixelRect& r) { return r.top + r.height / 2; }
// On one row: the middle of either lies within the other's height.
bool SideBySide(const PixelRect& a, const PixelRect& b) {
    return (MiddleY(a) >= b.top && MiddleY(a) < b.Bottom()) || (MiddleY(b) >= a.top && MiddleY(b) < a.Bottom());
}
// `upper` lies above `lower`: its middle is above the other's top, and they share columns.
bool Above(const PixelRect& upper, const PixelRect& lower) {
    return MiddleY(upper) < lower.top && upper.left < lower.Right() && lower.left < upper.Right();
}
}  // namespace

int TwipsToPixels(int twips, int dpi) { return Round(static_cast<long long>(twips) * dpi, 1440); }

PixelRect TwipsToPixels(const TwipsRect& rect, int dpi) {
    // Edges rounded, not sizes: controls that meet in twips meet in pixels too.
    const int left = TwipsToPixels(rect.left, dpi);
    const int top = TwipsToPixels(rect.top, dpi);
    return {left, top, TwipsToPixels(rect.left + rect.width, dpi) - left,
            TwipsToPixels(rect.top + rect.height, dpi) - top};
}

int ScalePixels(int pixels, int dpi) { return Round(static_cast<long long>(pixels) * dpi, kBaseDpi); }

int PlacementPixels(int twips) { return twips / 15; }

PixelRect FitInside(PixelRect window, const PixelRect& area) {
    window.left = std::max(area.left, std::min(window.left, area.Right() - window.width));
    window.top = std::max(area.top, std::min(window.top, area.Bottom() - window.height));
    return window;
}

StripLayout LayOutStrip(int dpi, int textWidth, int textHeight) {
    // At 96 dpi: 231 x 17 pixels at (100 px, 50 twips), the label at (90, 20) twips, inside
    // the raised edge that takes the last row and column.
    const int width = TwipsToPixels(3460, dpi);
    const int height = ScalePixels(17, dpi);
    const int edge = std::max(1, ScalePixels(1, dpi));
    StripLayout layout;
    layout.label.left = TwipsToPixels(90, dpi);
    layout.label.top = TwipsToPixels(20, dpi);
    layout.window.left = ScalePixels(100, dpi);
    layout.window.top = TwipsToPixels(50, dpi);
    // The text keeps the same margins on its right and below it as on its left and above.
    layout.window.width = std::max(width, 2 * layout.label.left + textWidth);
    layout.window.height = std::max(height, 2 * layout.label.top + textHeight + edge);
    layout.label.width = layout.window.width - edge - layout.label.left;
    layout.label.height = layout.window.height - edge - layout.label.top;
    return layout;
}

int FitControls(std::vector<FittedControl>& controls, int panelWidth, int panelHeight, int margin) {
    const std::vector<FittedControl> laid = controls;
    // Widths first: a control grows to the right, then its neighbours on the right move.
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].fillsPanel) continue;
        PixelRect& rect = controls[i].rect;
        rect.width = std::max(rect.width, controls[i].needWidth);
        rect.height = std::max(rect.height, controls[i].needHeight);
    }
    std::vector<std::size_t> order(controls.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return laid[a].rect.left < laid[b].rect.left; });
    for (std::size_t a = 0; a < order.size(); ++a) {
        for (std::size_t b = a + 1; b < order.size(); ++b) {
            FittedControl& left = controls[order[a]];
            FittedControl& right = controls[order[b]];
            if (left.fillsPanel || right.fillsPanel || !SideBySide(laid[order[a]].rect, laid[order[b]].rect)) continue;
            const int gap = std::clamp(laid[order[b]].rect.left - laid[order[a]].rect.Right(), 0, margin);
            right.rect.left = std::max(right.rect.left, left.rect.Right() + gap);
        }
    }
    for (FittedControl& control : controls) {
        if (control.fillsPanel) continue;
        // Past the right edge: first the room it has beyond its caption goes, then it moves left.
        int overflow = control.rect.Right() - (panelWidth - margin);
        if (overflow > 0) {
            const int spare = std::max(0, control.rect.width - control.needWidth);
            control.rect.width -= std::min(spare, overflow);
            overflow = control.rect.Right() - (panelWidth - margin);
        }
        if (overflow > 0) control.rect.left = std::max(margin, control.rect.left - overflow);
        control.rect.width = std::min(control.rect.width, panelWidth - margin - control.rect.left);
    }
    // Then heights: whatever lay below a control that grew moves down with it.
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return laid[a].rect.top < laid[b].rect.top; });
    for (std::size_t i : order) {
        if (controls[i].fillsPanel) continue;
        int shift = 0;
        for (std::size_t j : order) {
            if (j == i || controls[j].fillsPanel || !Above(laid[j].rect, laid[i].rect)) continue;
            // Laid out apart: the gap between them stays. Laid over one another (a label
            // taller than its text): only its caption is kept clear.
            const bool apart = laid[j].rect.Bottom() <= laid[i].rect.top;
            shift = std::max(shift, apart ? controls[j].rect.Bottom() - laid[j].rect.Bottom()
                                          : controls[j].rect.top + controls[j].needHeight - laid[i].rect.top);
        }
        controls[i].rect.top += shift;
    }
    // A control taller than its caption gives up what reaches over the one below it.
    for (std::size_t i = 0; i < controls.size(); ++i) {
        for (std::size_t j = 0; j < controls.size(); ++j) {
            if (i == j || controls[i].fillsPanel || controls[j].fillsPanel || !Above(laid[i].rect, laid[j].rect)) continue;
            const int room = controls[j].rect.top - controls[i].rect.top;
            if (controls[i].rect.Bottom() > controls[j].rect.top)
                controls[i].rect.height = std::max(controls[i].needHeight, room);
        }
    }
    int height = panelHeight;
    for (const FittedControl& control : controls)
        if (!control.fillsPanel) height = std::max(height, control.rect.Bottom() + margin);
    for (FittedControl& control : controls)
        if (control.fillsPanel) control.rect = {0, 0, panelWidth, height};
    return height;
}

}  // namespace lumeq
