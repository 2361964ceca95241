#include "gamma/ramps.h"

#include <gtest/gtest.h>

namespace lumeq {
namespace {

struct TableRow {
    int level;
    std::uint16_t e0, e1, e127, e255;
};

TEST(GammaRamp, LevelsComeOutToTheUnit) {
    const TableRow rows[] = {
        {33, 6, 18, 20194, 65531},
        {40, 258, 515, 32789, 65533},
        {44, 2361, 3577, 43254, 65534},
        {47, 12438, 15309, 53242, 65535},
    };
    for (const auto& row : rows) {
        const GammaRamp ramp = BuildRamp(ExponentOfLevel(row.level));
        for (int channel = 0; channel < 3; ++channel) {
            SCOPED_TRACE(testing::Message() << "level " << row.level << " channel " << channel);
            EXPECT_EQ(ramp.At(channel, 0), row.e0);
            EXPECT_EQ(ramp.At(channel, 1), row.e1);
            EXPECT_EQ(ramp.At(channel, 127), row.e127);
            EXPECT_EQ(ramp.At(channel, 255), row.e255);
        }
    }
}

TEST(GammaRamp, EveryBoostLevelIsSafeAndMonotonic) {
    for (int level = kLevelMin; level <= kLevelMax; ++level) {
        const GammaRamp ramp = BuildRamp(ExponentOfLevel(level));
        EXPECT_TRUE(IsSafeRamp(ramp)) << level;
        EXPECT_GE(ramp.At(0, 0), 6) << level;
    }
}

TEST(GammaRamp, LevelFiftyAndAboveAreNeverSafe) {
    // Exponent 0 makes every entry wrap to 0; beyond 50 the entries overflow.
    EXPECT_TRUE(IsAllZero(BuildRamp(ExponentOfLevel(50))));
    EXPECT_FALSE(IsSafeRamp(BuildRamp(ExponentOfLevel(50))));
    EXPECT_FALSE(IsSafeRamp(BuildRamp(ExponentOfLevel(60))));
    EXPECT_FALSE(IsSafeRamp(BuildRamp(ExponentOfLevel(99))));
}

TEST(EstimateLevel, GivesBackEveryBoostLevel) {
    for (int level = kLevelMin; level <= kLevelMax; ++level)
        EXPECT_EQ(EstimateLevel(BuildRamp(ExponentOfLevel(level))), level);
}

TEST(EstimateLevel, KnownRamps) {
    EXPECT_EQ(EstimateLevel(IdentityRamp()), 40);
    GammaRamp times256;
    for (int c = 0; c < 3; ++c)
        for (int i = 0; i < 256; ++i) times256.At(c, i) = static_cast<std::uint16_t>(i * 256);
    EXPECT_EQ(EstimateLevel(times256), 39);
    EXPECT_EQ(EstimateLevel(GammaRamp{}), 39);
}

TEST(EstimateLevel, OnlyTheRedChannelCounts) {
    GammaRamp ramp = BuildRamp(ExponentOfLevel(36));
    const GammaRamp bright = BuildRamp(ExponentOfLevel(46));
    for (int i = 0; i < 256; ++i) {
        ramp.At(1, i) = bright.At(1, i);
        ramp.At(2, i) = bright.At(2, i);
    }
    EXPECT_EQ(EstimateLevel(ramp), 36);
}

TEST(IsSafeRamp, RejectsDecreasingAndFlatRamps) {
    EXPECT_TRUE(IsSafeRamp(IdentityRamp()));
    GammaRamp dip = IdentityRamp();
    dip.At(2, 100) = 0;
    EXPECT_FALSE(IsSafeRamp(dip));
    GammaRamp flat;
    flat.entries.fill(30000);
    EXPECT_FALSE(IsSafeRamp(flat));
}

}  // namespace
}  // namespace lumeq
