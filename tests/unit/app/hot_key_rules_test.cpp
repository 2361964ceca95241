// X's key rules: a hot key counts once, by its modifier keys alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "app/hot_key_rules.h"

namespace lumeq {
namespace {

using namespace std::string_literals;

TEST(HotKeys, APressCountsOnceByItsModifierKeysAlone) {
    constexpr int kNumLock = 1 << 4, kButton1 = 1 << 8, kButton3 = 1 << 10, kGroup = 1 << 13;
    constexpr int kControl = kControlMask, kShift = kShiftMask, kLock = kLockMask;
    const auto locks = static_cast<std::uint16_t>(kLock | kNumLock);
    for (int state : {kControl, kControl | kButton1, kControl | kButton3 | kNumLock, kControl | kLock | kGroup})
        EXPECT_TRUE(IsControlOnly(static_cast<std::uint16_t>(state), locks)) << state;
    for (int state : {0, kControl | kShift, kControl | (1 << 3), kControl | (1 << 6)})
        EXPECT_FALSE(IsControlOnly(static_cast<std::uint16_t>(state), locks)) << state;  // Shift, Alt, Super
    EXPECT_EQ(GrabModifiers(locks).size(), 4u);
    EXPECT_EQ(ModifierBitOf({0, 0, 66, 0, 37, 0, 64, 0, 0, 0, 77, 0, 0, 0, 0, 0}, 2, {77}), 1 << 5);

    HotKeyPresses presses;  // F1..F4 = 67..70, Control 37, Shift 50
    presses.SetKeys({67, 68, 69, 70}, {37}, {50});
    EXPECT_EQ(presses.Grabbed(67, 1000), std::optional<int>(0));
    presses.RawPress(37, 1000);
    EXPECT_FALSE(presses.RawPress(67, 1000)) << "the same press, heard twice";
    // Inside a game that grabs the keyboard only the raw press comes: it acts after the wait.
    EXPECT_TRUE(presses.RawPress(70, 2000));
    EXPECT_EQ(presses.WaitOver(), std::optional<int>(3));
    EXPECT_EQ(presses.WaitOver(), std::nullopt);
    // The grab's event came after all: it acts, and the wait finds nothing.
    EXPECT_TRUE(presses.RawPress(69, 3000));
    EXPECT_EQ(presses.Grabbed(69, 3000), std::optional<int>(2));
    EXPECT_EQ(presses.WaitOver(), std::nullopt);
    presses.RawPress(50, 4000);  // Shift held
    EXPECT_FALSE(presses.RawPress(67, 4000));
    presses.RawRelease(50);
    presses.RawRelease(37);  // no Control
    EXPECT_FALSE(presses.RawPress(67, 5000));
}

}  // namespace
}  // namespace lumeq
