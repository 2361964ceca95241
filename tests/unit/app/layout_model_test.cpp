#include "app/layout_model.h"

#include "ui/scaling.h"

#include <gtest/gtest.h>

namespace lumeq {
namespace {

TEST(Layout, PlacementByScreenWidthComparedAsText) {
    EXPECT_EQ(PlacementForWidth("1024")->left, 12800);
    EXPECT_EQ(PlacementForWidth("1024")->top, 8500);
    EXPECT_EQ(PlacementForWidth("1280")->top, 7800);
    EXPECT_EQ(PlacementForWidth("800")->left, 9350);
    for (const char* other : {"1366", "1920", "1024 ", "01024", ""}) EXPECT_FALSE(PlacementForWidth(other)) << other;
}

TEST(Layout, InformationTextHasElevenLinesWithTheirBlanks) {
    const std::string text = InformationText();
    std::vector<std::string> lines;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 2;
    }
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[0], "Información:");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[4], "Aumentar gamma:    Ctrl+F4");
    EXPECT_EQ(lines[5], "Disminuir gamma:     Ctrl+F3");
    EXPECT_EQ(lines[6], "Screenshots:           Ctrl+F2");
    EXPECT_EQ(lines[7], "");
    EXPECT_EQ(lines[10], "Configuración en el menú 'Gamma' > 'Activación automática'");
    EXPECT_NE(text.back(), '\n');
}

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
