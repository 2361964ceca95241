#pragma once
// Sizes and positions at any display scaling. Everything inside our windows is laid out
// in twips (1/1440 inch) and becomes pixels at the window's DPI; the placement table's
// screen positions were laid out for 15 twips per pixel of the screen, whatever its DPI.
#include <vector>

namespace lumeq {

inline constexpr int kBaseDpi = 96;

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
    bool operator==(const PixelRect&) const = default;
};

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Twips to pixels at `dpi`, rounded to the nearest pixel (15 twips a pixel at 96 dpi).
// A rectangle's edges are rounded, so that controls that meet in twips meet in pixels.
int TwipsToPixels(int twips, int dpi);
PixelRect TwipsToPixels(const TwipsRect& rect, int dpi);
// Pixels laid out for 96 dpi to pixels at `dpi`, rounded.
int ScalePixels(int pixels, int dpi);
// A placement table position (twips of a 96-dpi screen) to whole screen pixels,
// towards the top left.
int PlacementPixels(int twips);

// `window` moved as little as it takes to lie wholly inside `area` (a monitor's work
// area); a window larger than the area keeps its left and top edges inside it.
PixelRect FitInside(PixelRect window, const PixelRect& area);

// The indicator strip at a DPI: one drawing scaled as a whole, widened (never wrapped or
// clipped) where its text, measured with its font, needs more room than the layout
// assumed, and taller where the font's line is taller than the strip allows.
struct StripLayout {
    PixelRect window;  // left and top on the screen, relative to the monitor's top left
    PixelRect label;   // inside the window
};
StripLayout LayOutStrip(int dpi, int textWidth, int textHeight);

// A control laid over a panel, and the room its caption needs with its font.
struct FittedControl {
    PixelRect rect;        // where the layout puts it
    int needWidth = 0;     // the width it must have (a caption that wraps: its widest line)
    int needHeight = 0;    // the height it must have (a caption that wraps: all its lines)
    bool fillsPanel = false;  // a frame drawn round the whole panel: it follows the panel's size
};

// Grows each control to what its caption needs and moves the controls below it down,
// and those beside it on its right, by as much as it grew; a control that would leave
// the panel on the right first gives up the room it has beyond its caption, then moves
// left as far as the margin allows. Returns the panel's new height (never less than
// `panelHeight`).
int FitControls(std::vector<FittedControl>& controls, int panelWidth, int panelHeight, int margin);

}  // namespace lumeq
