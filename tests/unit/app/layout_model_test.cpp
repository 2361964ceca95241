#include "app/layout_model.h"

#include "ui/scaling.h"

#include <gtest/gtest.h>

namespace lumeq {
namespace {

TEST(Scaling, TwipsFollowTheDpiButThePlacementTableDoesNot) {
    EXPECT_EQ(TwipsToPixels(2400, 96), 160);
    EXPECT_EQ(TwipsToPixels(2400, 144), 240);
    EXPECT_EQ(TwipsToPixels(1905, 120), 159);  // 158.75, rounded
    // The table was laid out for 15 twips a pixel of the screen: 1024 gives (853, 566) at any dpi.
    EXPECT_EQ(PlacementPixels(12800), 853);
    EXPECT_EQ(PlacementPixels(8500), 566);
}

TEST(Scaling, TheWindowEndsWhollyInsideTheWorkAreaAsNearItsSpotAsFits) {
    const PixelRect screen{0, 0, 1024, 768};
    EXPECT_EQ(FitInside({853, 566, 166, 189}, screen), (PixelRect{853, 566, 166, 189}));  // fits already
    EXPECT_EQ(FitInside({1106, 520, 249, 280}, screen), (PixelRect{775, 488, 249, 280}));
    // A taskbar on the left or at the top takes its share of the screen.
    EXPECT_EQ(FitInside({-50, -20, 166, 189}, {48, 30, 976, 738}), (PixelRect{48, 30, 166, 189}));
    // Larger than the work area: its top left stays inside, where the caption and menu are.
    EXPECT_EQ(FitInside({500, 500, 1200, 900}, screen), (PixelRect{0, 0, 1200, 900}));
}

TEST(Scaling, TheStripIsOneDrawingScaledAsAWholeAndGrowsToItsText) {
    // 96 dpi with a font that fits: the strip of old, to the pixel.
    StripLayout strip = LayOutStrip(96, 200, 13);
    EXPECT_EQ(strip.window, (PixelRect{100, 3, 231, 17}));
    EXPECT_EQ(strip.label, (PixelRect{6, 1, 224, 15}));
    // 144 dpi: everything in proportion.
    strip = LayOutStrip(144, 300, 20);
    EXPECT_EQ(strip.window, (PixelRect{150, 5, 346, 26}));
    EXPECT_EQ(strip.label.left, 9);
    // A font wider or taller than the layout assumed: the strip grows, the text never wraps.
    strip = LayOutStrip(96, 250, 16);
    EXPECT_EQ(strip.window.width, 262);
    EXPECT_GE(strip.label.width, 250);
    EXPECT_GE(strip.label.height, 16);
    EXPECT_LT(strip.label.Bottom(), strip.window.height);  // above the dark bottom edge
}

TEST(Scaling, CaptionsThatNeedMoreRoomPushTheirNeighboursAside) {
    // The warning panel: a frame round it, two labels that wrap, two buttons side by side.
    std::vector<FittedControl> controls = {
        {{0, 0, 160, 100}, 0, 0, true},
        {{3, 18, 154, 25}, 150, 48, false},   // needs a third line
        {{3, 48, 148, 28}, 140, 26, false},   // fits, but lies below the first
        {{3, 78, 85, 16}, 95, 16, false},     // the caption is wider than the button
        {{129, 78, 28, 16}, 20, 16, false},   // beside it on the right
    };
    const int height = FitControls(controls, 160, 100, 3);
    EXPECT_EQ(controls[1].rect.height, 48);
    EXPECT_EQ(controls[2].rect.top, 48 + 23);
    EXPECT_EQ(controls[3].rect.top, 78 + 23);
    EXPECT_EQ(controls[3].rect.width, 95);
    EXPECT_EQ(controls[4].rect.left, 129);  // there was room between them
    EXPECT_EQ(height, 78 + 23 + 16 + 3);
    EXPECT_EQ(controls[0].rect, (PixelRect{0, 0, 160, height}));
    for (std::size_t i = 1; i < controls.size(); ++i) EXPECT_LE(controls[i].rect.Right(), 157) << i;
}

}  // namespace
}  // namespace lumeq
