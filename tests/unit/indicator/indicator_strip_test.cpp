#include "indicator/indicator_strip.h"

#include <gtest/gtest.h>

#include "gamma/boost_session.h"

namespace lumeq {
namespace {

TEST(LevelText, BothSeparatorsAndSigns) {
    EXPECT_EQ(LevelText(40, "."), "0.00");
    EXPECT_EQ(LevelText(47, "."), "7.00");
    EXPECT_EQ(LevelText(33, "."), "-7.00");
    EXPECT_EQ(LevelText(39, "."), "-1.00");
    EXPECT_EQ(LevelText(47, ","), "7,00");
    EXPECT_EQ(LevelText(37, ","), "-3,00");
    EXPECT_EQ(LevelText(0, "."), "-40.00");
    EXPECT_EQ(LevelText(50, ""), "10.00");  // no separator from the locale: a point
}

TEST(StoredLevel, WholeNumbersOnly) {
    EXPECT_EQ(ParseStoredLevel("44"), 44);
    EXPECT_EQ(ParseStoredLevel(" 37 "), 37);
    EXPECT_EQ(ParseStoredLevel("-5"), -5);
    EXPECT_EQ(ParseStoredLevel("+41"), 41);
    EXPECT_EQ(ParseStoredLevel("99999999999999999999"), 32767);
    EXPECT_EQ(ParseStoredLevel("-99999999999999999999"), -32768);
    for (const char* bad : {"", "  ", "abc", "4.5", "12x", "-", "4 4", "0x2C"})
        EXPECT_FALSE(ParseStoredLevel(bad).has_value()) << bad;
}

TEST(StoredLevel, HeldToTheSliderRange) {
    EXPECT_EQ(LevelToLoad(std::int16_t{44}, 40), 44);
    EXPECT_EQ(LevelToLoad(std::int16_t{50}, 40), 47);
    EXPECT_EQ(LevelToLoad(std::int16_t{99}, 40), 47);
    EXPECT_EQ(LevelToLoad(std::int16_t{-5}, 40), 33);
    EXPECT_EQ(LevelToLoad(std::nullopt, 38), 38);
    EXPECT_EQ(LevelToLoad(std::nullopt, 50), 47);  // a washed-out captured ramp
}

}  // namespace
}  // namespace lumeq
