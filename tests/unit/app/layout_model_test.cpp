#include "app/layout_model.h"

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

}  // namespace
}  // namespace lumeq
