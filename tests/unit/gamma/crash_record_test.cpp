#include "gamma/crash_record.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/display_fakes.h"
#include "fakes/boost_matchers.h"
#include "gamma/boost_session.h"

namespace lumeq {
namespace {

using testing::IsBoosted;
using testing::FakeDisplay;
using testing::FakeRecordStorage;
using testing::FakeStore;

// A curved table of `size` entries that is no power curve: a player's calibration.
RampTable Calibration(int size) {
    RampTable table = Resized(TableOf(BuildRamp(1.35)), size);  // between two levels' curves
    for (int i = 0; i < size; i += 7) table.At(1, i) = static_cast<std::uint16_t>(table.At(1, i) + (i % 3));
    return table;
}

// What `redshift -O 1900` leaves: red whole, green at 55 %, blue at a tenth.
RampTable Warm1900(int size) {
    RampTable table = IdentityTable(size);
    for (int i = 0; i < size; ++i) {
        table.At(1, i) = static_cast<std::uint16_t>(table.At(1, i) * 0.55);
        table.At(2, i) = static_cast<std::uint16_t>(table.At(2, i) * 0.10);
    }
    return table;
}

// What `xrandr --brightness` leaves: every channel scaled.
RampTable Dimmed(int size, double brightness) {
    RampTable table = IdentityTable(size);
    for (auto& entry : table.entries) entry = static_cast<std::uint16_t>(entry * brightness);
    return table;
}

const RunIdentity kMe{100, 1000, "gamebox", "boot-1", ":0"};

RecoveryRecord Record(RunIdentity owner, RampTable table) { return {std::move(owner), {{"D0", std::move(table), "", -1}}}; }

TEST(RecoveryRecord, KeepsEachTableAtItsOwnSizeAndReadsRecordsOfOld) {
    const RecoveryRecord record{kMe, {{"HDMI-1", Calibration(1024), "crtc 63", -1}, {"DP-2", Calibration(256), "", -1}}};
    const auto parsed = ParseRecovery(SerializeRecovery(record));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->owner.display, ":0");
    EXPECT_EQ(parsed->owner.bootId, "boot-1");
    ASSERT_EQ(parsed->displays.size(), 2u);
    EXPECT_EQ(parsed->displays[0].table, Calibration(1024));
    EXPECT_EQ(parsed->displays[0].seat, "crtc 63");
    EXPECT_EQ(parsed->displays[1].table, Calibration(256));

    // Version 1: magic, version, pid, start, count 2, display 0 not captured, display 1 captured.
    std::vector<std::uint8_t> v1 = {'L', 'Q', 'R', 'R', 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1};
    for (std::uint16_t entry : BuildRamp(1.25).entries) {
        v1.push_back(static_cast<std::uint8_t>(entry));
        v1.push_back(static_cast<std::uint8_t>(entry >> 8));
    }
    const auto old = ParseRecovery(v1);
    ASSERT_TRUE(old);
    ASSERT_EQ(old->displays.size(), 1u);
    EXPECT_EQ(old->displays[0].position, 1);
    EXPECT_EQ(old->displays[0].table, TableOf(BuildRamp(1.25)));

    std::vector<std::uint8_t> bytes = SerializeRecovery(record);
    EXPECT_FALSE(ParseRecovery(std::span(bytes).first(bytes.size() - 1)));  // cut short
    bytes.push_back(0);
    EXPECT_FALSE(ParseRecovery(bytes));
    bytes = SerializeRecovery(record);
    bytes[4] = 9;  // a version we do not know
    EXPECT_FALSE(ParseRecovery(bytes));
    EXPECT_FALSE(ParseRecovery(std::vector<std::uint8_t>(std::size_t{1} << 20, 0xFF)));
}

TEST(RecoveryRecord, OnlyTablesADisplayCouldHaveArePlausible) {
    RampTable black(256);
    black.At(0, 255) = black.At(1, 255) = black.At(2, 255) = 1;
    RampTable white = TableOf(IdentityRamp());
    for (auto& entry : white.entries) entry = 0xFFFF;
    RampTable inverted = TableOf(IdentityRamp());
    std::reverse(inverted.entries.begin(), inverted.entries.end());
    for (const RampTable& bad : {black, white, inverted, RampTable(1)}) EXPECT_FALSE(IsPlausibleOriginal(bad));
    RampTable falling = Calibration(256);  // one channel falls past the dips a driver makes
    falling.At(1, 200) = 0;
    RampTable endsWhereItStarts = Calibration(256);
    endsWhereItStarts.At(2, 255) = endsWhereItStarts.At(2, 0);
    for (const RampTable& bad : {falling, endsWhereItStarts}) EXPECT_FALSE(IsPlausibleOriginal(bad));
    RampTable nightLight = Calibration(4096);  // blue dimmed to 40 %
    for (int i = 0; i < 4096; ++i) nightLight.At(2, i) = static_cast<std::uint16_t>(nightLight.At(2, i) * 2 / 5);
    for (const RampTable& good : {Calibration(256), nightLight, IdentityTable(1024), RampTable(256), Warm1900(1024),
                                  Dimmed(256, 0.1)})
        EXPECT_TRUE(IsPlausibleOriginal(good));
}

// What goes back for a captured table: the table, or the straight line where it is all zero
// or one of our own boosts (which a display only shows when we left it so).
TEST(RecoveryRecord, OurOwnBoostIsNeverTakenForAnOriginal) {
    for (int level : {33, 41, 44, 47})
        EXPECT_EQ(OriginalToPutBack(TableOf(BuildRamp(ExponentOfLevel(level)), 1024)), IdentityTable(1024)) << level;
    for (const RampTable& own : {Calibration(1024), Warm1900(1024), Dimmed(1024, 0.5)})
        EXPECT_EQ(OriginalToPutBack(own), own);
}

TEST(CrashRecord, AStartUpPutsBackOnlyWhatThisDisplayServersDeadRunLeft) {
    struct Case {
        const char* what;
        RunIdentity owner;
        bool ownerRuns;
        bool restored;
        bool kept;
    };
    const Case cases[] = {
        {"a dead run on this display", {5, 50, "gamebox", "boot-1", ":0"}, false, true, false},
        {"a zombie or a dead run of old", {5, 50, "", "", ""}, false, true, false},
        {"a run that still lives", {5, 50, "gamebox", "boot-1", ":0"}, true, false, true},
        {"another display", {5, 50, "gamebox", "boot-1", ":1"}, false, false, true},
        {"Xwayland's display", {5, 50, "gamebox", "boot-1", ":0/wayland"}, false, false, true},
        {"another machine sharing the home", {5, 50, "laptop", "boot-9", ":0"}, false, false, true},
        {"before a reboot", {5, 50, "gamebox", "boot-0", ":0"}, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeDisplay display;
        display.current = TableOf(BuildRamp(0.5));  // still boosted
        FakeRecordStorage storage;
        storage.bytes = SerializeRecovery(Record(c.owner, Calibration(256)));
        CrashRecord record(storage, kMe, [&](std::uint32_t, std::uint64_t) { return c.ownerRuns; });
        const CrashRecord::Recovery outcome = record.RecoverAtStart(display, true);
        EXPECT_FALSE(outcome.refused || outcome.dropped);
        EXPECT_EQ(display.current == Calibration(256), c.restored);
        EXPECT_EQ(storage.bytes.has_value(), c.kept);
    }
}

// Only this display server's record of a dead run gives an activation its originals: the
// record of another display, or of a run that lives, never stands in for what a display
// shows.
TEST(CrashRecord, AnActivationTakesOriginalsOnlyFromThisDisplaysRecord) {
    for (const RunIdentity& owner : {RunIdentity{5, 50, "gamebox", "boot-1", ":1"},
                                     RunIdentity{5, 50, "laptop", "boot-1", ":0"}}) {
        FakeDisplay display;
        display.current = Calibration(256);
        FakeRecordStorage storage;
        storage.bytes = SerializeRecovery(Record(owner, Dimmed(256, 0.5)));
        CrashRecord record(storage, kMe, nullptr);
        FakeStore store;
        store.value = "45";
        BoostSession session({display, store, &record, nullptr, nullptr});
        session.Start();
        EXPECT_EQ(storage.loads, 1) << "an activation reads the record once";
        session.Stop();
        EXPECT_EQ(display.current, Calibration(256)) << owner.display << owner.host;
    }
}

TEST(CrashRecord, ATamperedRecordIsDroppedAndNeverApplied) {
    RampTable black(256);
    black.At(0, 255) = 1;
    for (bool straightLine : {false, true}) {
        FakeDisplay display;
        display.current = TableOf(BuildRamp(0.5));
        FakeRecordStorage storage;
        storage.bytes = SerializeRecovery(Record({5, 50, "gamebox", "boot-1", ":0"}, black));
        const auto outcome = CrashRecord(storage, kMe, nullptr).RecoverAtStart(display, straightLine);
        EXPECT_TRUE(outcome.dropped);
        EXPECT_FALSE(storage.bytes);
        // Windows leaves the display alone; Linux gives it the straight line.
        EXPECT_EQ(display.current, straightLine ? IdentityTable(256) : TableOf(BuildRamp(0.5)));
    }
    FakeDisplay display;
    FakeRecordStorage storage;
    storage.bytes = std::vector<std::uint8_t>{'L', 'Q', 'R', 'R', 3};
    EXPECT_TRUE(CrashRecord(storage, kMe, nullptr).RecoverAtStart(display, true).dropped);
    EXPECT_FALSE(storage.bytes);
}

// A restore the display refuses leaves the player's own table in the record; the next
// activation takes it from there, not from the (still boosted) display, and a restart
// that the display accepts puts it back.
TEST(CrashRecord, ARefusedRestoreIsNeverOverwrittenByTheBoost) {
    FakeDisplay display;
    display.current = Calibration(256);
    FakeStore store;
    FakeRecordStorage storage;
    CrashRecord record(storage, kMe, nullptr);
    for (int cycle = 0; cycle < 2; ++cycle) {
        BoostSession session({display, store, &record, nullptr, nullptr});
        session.Start();
        EXPECT_TRUE(IsBoosted(display.current, TableOf(BuildRamp(ExponentOfLevel(session.Level().level)))));
        display.refuseWrites = true;
        EXPECT_FALSE(session.Stop());
        display.refuseWrites = false;
        ASSERT_TRUE(storage.bytes);
        EXPECT_EQ(ParseRecovery(*storage.bytes)->displays[0].table, Calibration(256));
    }
    const auto outcome = CrashRecord(storage, {200, 2000, "gamebox", "boot-1", ":0"}, nullptr).RecoverAtStart(display, true);
    EXPECT_FALSE(outcome.refused);
    EXPECT_EQ(display.current, Calibration(256));
    EXPECT_FALSE(storage.bytes);
}

// An output unplugged while boosted keeps its entry; it gets its own table when it comes
// back. An output that took over its seat while the seat still shows our boost (an X CRTC
// keeps the ramp it was given) is given the owed table, once; one that shows a ramp of its
// own is another monitor's and keeps it.
TEST(CrashRecord, AnOutputThatLeftWhileBoostedIsStillOwedItsTable) {
    FakeDisplay display;
    display.extra.resize(2);
    display.extra[0].current = Calibration(1024);  // D1, on seat "crtc 2"
    display.extra[0].seat = "crtc 2";
    display.detached.insert("D2");
    FakeStore store;
    store.value = "45";
    FakeRecordStorage storage;
    CrashRecord record(storage, kMe, nullptr);
    BoostSession session({display, store, &record, nullptr, nullptr});
    session.Start();
    const RampTable boosted = TableOf(BuildRamp(ExponentOfLevel(session.Level().level)), 1024);
    display.detached.insert("D1");
    EXPECT_TRUE(session.Stop());
    ASSERT_TRUE(storage.bytes);
    EXPECT_EQ(ParseRecovery(*storage.bytes)->displays.size(), 1u);

    // D2 comes on the seat D1 left with a ramp of its own (another monitor got the CRTC):
    // it keeps it.
    display.detached = {"D1"};
    display.extra[1].seat = "crtc 2";
    display.extra[1].current = Warm1900(1024);
    EXPECT_TRUE(GiveBackOwed(display, record));
    EXPECT_EQ(display.extra[1].current, Warm1900(1024));
    // The seat still shows the boost: mended, once.
    display.extra[1].current = boosted;
    EXPECT_TRUE(GiveBackOwed(display, record));
    EXPECT_EQ(display.extra[1].current, Calibration(1024));
    ASSERT_TRUE(storage.bytes) << "D1 itself is still owed";
    EXPECT_EQ(ParseRecovery(*storage.bytes)->displays[0].seat, "");
    display.extra[1].current = boosted;
    EXPECT_TRUE(GiveBackOwed(display, record));
    EXPECT_EQ(display.extra[1].current, boosted);

    display.detached.clear();
    display.extra[0].current = boosted;
    EXPECT_TRUE(GiveBackOwed(display, record));
    EXPECT_EQ(display.extra[0].current, Calibration(1024));
    EXPECT_FALSE(storage.bytes);
}

// Each display of a record is judged on its own: a warm night light's or a dimmed screen's
// table beside a calibration comes back as it was, and a tampered table costs only its own
// display (the straight line) while the other gets its own.
TEST(CrashRecord, EachDisplayOfARecordIsJudgedOnItsOwn) {
    FakeDisplay display;
    display.extra.resize(1);
    display.current = TableOf(BuildRamp(0.5));
    display.extra[0].current = Resized(TableOf(BuildRamp(0.5)), 1024);
    const RunIdentity dead{5, 50, "gamebox", "boot-1", ":0"};
    FakeRecordStorage storage;
    storage.bytes = SerializeRecovery({dead, {{"D0", Calibration(256), "", -1}, {"D1", Warm1900(1024), "", -1}}});
    CrashRecord::Recovery outcome = CrashRecord(storage, kMe, nullptr).RecoverAtStart(display, true);
    EXPECT_FALSE(outcome.dropped);
    EXPECT_EQ(display.current, Calibration(256));
    EXPECT_EQ(display.extra[0].current, Warm1900(1024));

    RampTable falling = Calibration(1024);
    std::reverse(falling.entries.begin(), falling.entries.end());
    display.current = TableOf(BuildRamp(0.5));
    display.extra[0].current = Resized(TableOf(BuildRamp(0.5)), 1024);
    storage.bytes = SerializeRecovery({dead, {{"D0", Dimmed(256, 0.1), "", -1}, {"D1", falling, "", -1}}});
    outcome = CrashRecord(storage, kMe, nullptr).RecoverAtStart(display, true);
    EXPECT_TRUE(outcome.dropped);
    EXPECT_EQ(display.current, Dimmed(256, 0.1));
    EXPECT_EQ(display.extra[0].current, IdentityTable(1024));
    EXPECT_FALSE(storage.bytes);

    // Owed while the program runs (unplugged at the crash): given back when it returns.
    display.detached.insert("D1");
    display.extra[0].current = Resized(TableOf(BuildRamp(0.5)), 1024);
    storage.bytes = SerializeRecovery({dead, {{"D1", Warm1900(1024), "", -1}}});
    CrashRecord running(storage, kMe, nullptr);
    running.RecoverAtStart(display, true);
    display.detached.clear();
    EXPECT_TRUE(GiveBackOwed(display, running));
    EXPECT_EQ(display.extra[0].current, Warm1900(1024));
}

TEST(CrashRecord, EveryTableSizeComesBackExactlyAfterAHundredCycles) {
    for (int size : {256, 1024, 4096}) {
        SCOPED_TRACE(size);
        FakeDisplay display;
        display.current = Calibration(size);
        FakeStore store;
        store.value = "45";
        FakeRecordStorage storage;
        CrashRecord record(storage, kMe, nullptr);
        for (int cycle = 0; cycle < 100; ++cycle) {
            BoostSession session({display, store, &record, nullptr, nullptr});
            session.Start();
            ASSERT_TRUE(session.Stop());
        }
        EXPECT_EQ(display.current, Calibration(size));
        EXPECT_FALSE(storage.bytes);
    }
}

TEST(CrashRecord, ClearRemovesOnlyARecordThisRunKeeps) {
    FakeRecordStorage storage;
    storage.bytes = SerializeRecovery(Record({5, 50, "gamebox", "boot-1", ":0"}, Calibration(256)));
    CrashRecord record(storage, kMe, [](std::uint32_t, std::uint64_t) { return true; });
    record.Clear();
    EXPECT_TRUE(storage.bytes) << "another copy's";
    EXPECT_FALSE(record.Record({{"D0", Calibration(256), "", -1}})) << "never written over while its run lives";
}

}  // namespace
}  // namespace lumeq
