#include "indicator/indicator_text.h"

#include <gtest/gtest.h>

namespace lumeq {
namespace {

TEST(IndicatorText, TellsTheLevelOrThatTheDisplayRefusedIt) {
    EXPECT_EQ(IndicatorText("7.00", false), "lumeq Gamma      La gamma actual es 7.00");
    EXPECT_EQ(IndicatorText("-3,00", false), "lumeq Gamma      La gamma actual es -3,00");
    EXPECT_EQ(IndicatorText("1.00", true), "lumeq Gamma      La pantalla no acepta 1.00");
}

TEST(IndicatorText, RaisedPanelEdges) {
    EXPECT_EQ(IndicatorPanelPixel(0, 0, 231, 17), 0x9F9F9Fu);
    EXPECT_EQ(IndicatorPanelPixel(230, 0, 231, 17), 0x282E22u);  // the dark edge wins the top-right corner
    EXPECT_EQ(IndicatorPanelPixel(0, 16, 231, 17), 0x282E22u);   // and the bottom-left one
    EXPECT_EQ(IndicatorPanelPixel(0, 8, 231, 17), 0x889180u);
    EXPECT_EQ(IndicatorPanelPixel(100, 8, 231, 17), 0x4C5844u);
}

}  // namespace
}  // namespace lumeq
