#include "gamma/recovery_record.h"

#include <gtest/gtest.h>

namespace lumeq {
namespace {

RecoveryRecord TwoDisplays() {
    RecoveryRecord record;
    record.processId = 4242;
    record.processStart = 0x0123456789ABCDEFull;
    record.displays = {{"\\\\.\\DISPLAY1", BuildRamp(1.25)}, {"\\\\.\\DISPLAY2", IdentityRamp()}};
    return record;
}

TEST(RecoveryRecord, RoundTripsEveryDisplay) {
    const std::vector<std::uint8_t> bytes = SerializeRecovery(TwoDisplays());
    const auto parsed = ParseRecovery(bytes);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->processId, 4242u);
    EXPECT_EQ(parsed->processStart, 0x0123456789ABCDEFull);
    ASSERT_EQ(parsed->displays.size(), 2u);
    EXPECT_EQ(parsed->displays[0].name, "\\\\.\\DISPLAY1");
    EXPECT_EQ(parsed->displays[0].ramp, BuildRamp(1.25));
    EXPECT_EQ(parsed->displays[1].ramp, IdentityRamp());
}

TEST(RecoveryRecord, AnythingElseIsNotARecord) {
    std::vector<std::uint8_t> bytes = SerializeRecovery(TwoDisplays());
    EXPECT_FALSE(ParseRecovery(std::span(bytes).first(bytes.size() - 1)));  // cut short
    std::vector<std::uint8_t> longer = bytes;
    longer.push_back(0);
    EXPECT_FALSE(ParseRecovery(longer));
    std::vector<std::uint8_t> wrongMagic = bytes;
    wrongMagic[0] = 'X';
    EXPECT_FALSE(ParseRecovery(wrongMagic));
    EXPECT_FALSE(ParseRecovery({}));
    std::vector<std::uint8_t> huge(std::size_t{1} << 20, 0xFF);
    EXPECT_FALSE(ParseRecovery(huge));
}

TEST(RecoveryRecord, RecordsOfOldKeepTheDisplaysByPlace) {
    // Version 1: magic, version, pid, start, count 2, display 0 not captured, display 1 captured.
    std::vector<std::uint8_t> bytes = {'L', 'Q', 'R', 'R', 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1};
    for (std::uint16_t entry : BuildRamp(1.25).entries) {
        bytes.push_back(static_cast<std::uint8_t>(entry));
        bytes.push_back(static_cast<std::uint8_t>(entry >> 8));
    }
    const auto parsed = ParseRecovery(bytes);
    ASSERT_TRUE(parsed);
    ASSERT_EQ(parsed->displays.size(), 1u);
    EXPECT_EQ(parsed->displays[0].position, 1);
    EXPECT_EQ(parsed->displays[0].ramp, BuildRamp(1.25));
}

TEST(RecoveryRecord, Decisions) {
    const auto record = ParseRecovery(SerializeRecovery(TwoDisplays()));
    EXPECT_EQ(DecideRecovery(false, std::nullopt, false), RecoveryAction::None);
    EXPECT_EQ(DecideRecovery(true, std::nullopt, false), RecoveryAction::Delete);
    EXPECT_EQ(DecideRecovery(true, record, true), RecoveryAction::LeaveIt);
    EXPECT_EQ(DecideRecovery(true, record, false), RecoveryAction::RestoreAndDelete);
}

}  // namespace
}  // namespace lumeq
