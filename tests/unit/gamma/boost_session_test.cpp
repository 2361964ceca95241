#include "gamma/boost_session.h"

#include <gtest/gtest.h>

#include <memory>

#include "fakes/display_fakes.h"
#include "fakes/boost_matchers.h"
#include "gamma/crash_record.h"

namespace lumeq {
namespace {

using testing::IsBoosted;
using testing::FakeDisplay;
using testing::FakeStore;

GammaRamp DarkCurve() {
    GammaRamp ramp = BuildRamp(1.25);
    ramp.At(0, 10) = 1234;  // a calibration that is not a pure power curve
    return ramp;
}

TEST(BoostSession, IdentityDisplayWithoutStoredLevelGivesNeutral) {
    FakeDisplay display;
    FakeStore store;
    {
        BoostSession session({display, store, nullptr, nullptr, nullptr});
        session.Start();
        EXPECT_EQ(session.Level().level, 40);
        EXPECT_EQ(session.Level().minimum, 33);
        EXPECT_EQ(session.Level().maximum, 47);
        EXPECT_EQ(session.Level().tickFrequency, 5);
        ASSERT_EQ(display.written.size(), 1u);
        EXPECT_TRUE(IsBoosted(display.written.back(), TableOf(BuildRamp(10 / 10.01))));
    }
    EXPECT_EQ(store.value, "40");
    EXPECT_EQ(display.current, TableOf(IdentityRamp()));
}

TEST(BoostSession, LoadsStoredLevelAndRestoresTheExactCapture) {
    FakeDisplay display;
    display.current = TableOf(DarkCurve());
    FakeStore store;
    store.value = "44";
    auto session = std::make_unique<BoostSession>(BoostPorts{display, store, nullptr, nullptr, nullptr});
    session->Start();
    EXPECT_EQ(session->Level().level, 44);
    EXPECT_TRUE(IsBoosted(display.current, TableOf(BuildRamp(6 / 10.01))));

    session->SetLevel(45);
    std::vector<std::string> log;
    display.log = &log;
    store.log = &log;
    session.reset();
    // Stop: exactly the 768 entries read at the start, then the level (a slow store
    // must not keep the screen bright).
    EXPECT_EQ(log, (std::vector<std::string>{"display.Write D0", "store.Write 45"}));
    EXPECT_EQ(display.current, TableOf(DarkCurve()));
}

TEST(BoostSession, StoredValuesOutsideTheRangeNeverReachTheDisplayRaw) {
    struct Case {
        const char* stored;
        int expectedLevel;
    };
    // "abc" is no level at all: the estimate of the captured ramp is used.
    const Case cases[] = {{"50", 47}, {"99", 47}, {"-5", 33}, {"abc", 40}, {"", 40}, {"32768", 47}};
    for (const auto& c : cases) {
        FakeDisplay display;
        FakeStore store;
        store.value = c.stored;
            BoostSession session({display, store, nullptr, nullptr, nullptr});
        session.Start();
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(session.Level().level, c.expectedLevel);
        ASSERT_EQ(display.written.size(), 1u);
        EXPECT_TRUE(IsBoosted(display.written[0], TableOf(BuildRamp(ExponentOfLevel(c.expectedLevel)))));
    }
}

TEST(BoostSession, FailedCaptureDisablesSliderAndIsNeverRestored) {
    FakeDisplay display;
    display.readFails = true;
    FakeStore store;
    store.value = "44";
    {
        BoostSession session({display, store, nullptr, nullptr, nullptr});
        EXPECT_TRUE(session.Start().refused);
        EXPECT_FALSE(session.Level().enabled);
        EXPECT_EQ(session.Level().level, 40);
        EXPECT_EQ(session.Level().maximum, 50);
        // A step still moves the slider but nothing boosts a display we cannot restore.
        const StepOutcome step = session.Step(+1);
        EXPECT_EQ(step.level, 41);
        EXPECT_FALSE(step.rampAccepted);
    }
    EXPECT_TRUE(display.written.empty());
    // The displays never showed 41: the stored level stays the player's.
    EXPECT_EQ(store.value, "44");
    EXPECT_TRUE(store.writes.empty());
}

TEST(BoostSession, LaterSuccessfulCaptureDoesNotEnableTheSliderAgain) {
    FakeDisplay display;
    FakeStore store;
    display.readFails = true;
    BoostSession session({display, store, nullptr, nullptr, nullptr});
    session.Start();
    session.Stop();
    display.readFails = false;
    session.Start();
    EXPECT_FALSE(session.Level().enabled);
    EXPECT_EQ(session.Level().maximum, 47);
}

TEST(BoostSession, AllZeroCaptureIsPutBackAsLinearNotBlack) {
    FakeDisplay display;
    display.current = RampTable(kRampEntries);
    FakeStore store;
    { BoostSession({display, store, nullptr, nullptr, nullptr}).Start(); }
    EXPECT_EQ(display.current, TableOf(IdentityRamp()));
}

TEST(BoostSession, RefusedRampIsKnown) {
    FakeDisplay display;
    display.refuseWrites = true;
    FakeStore store;
    store.value = "44";
    BoostSession session({display, store, nullptr, nullptr, nullptr});
    EXPECT_TRUE(session.Start().refused);
    EXPECT_EQ(session.Level().level, 44);
    display.refuseWrites = false;
    EXPECT_TRUE(session.Step(-4).rampAccepted);
}

TEST(BoostSession, SliderInputAppliesItsPosition) {
    FakeDisplay display;
    FakeStore store;
    BoostSession session({display, store, nullptr, nullptr, nullptr});
    session.Start();
    session.SetLevel(43);
    EXPECT_EQ(display.current, TableOf(BuildRamp(ExponentOfLevel(43))));
}

TEST(BoostSessionLevel, EndsOfTheRangeHoldAndReapply) {
    FakeDisplay display;
    FakeStore store;
    store.value = "46";
    BoostSession session({display, store, nullptr, nullptr, nullptr});
    session.Start();

    EXPECT_EQ(session.Step(+1).level, 47);
    EXPECT_EQ(display.current, TableOf(BuildRamp(3 / 10.01)));
    const std::size_t writes = display.written.size();
    EXPECT_EQ(session.Step(+1).level, 47);
    EXPECT_EQ(display.written.size(), writes + 1);  // the same ramp again

    session.SetLevel(33);
    EXPECT_EQ(session.Step(-1).level, 33);
    EXPECT_TRUE(IsBoosted(display.current, TableOf(BuildRamp(ExponentOfLevel(33)))));
}

TEST(BoostSessionLevel, RefusalIsReportedButTheLevelStillMoves) {
    FakeDisplay display;
    FakeStore store;
    BoostSession session({display, store, nullptr, nullptr, nullptr});
    session.Start();
    display.refuseWrites = true;
    const StepOutcome step = session.Step(+1);
    EXPECT_EQ(step.level, 41);
    EXPECT_FALSE(step.rampAccepted);
    display.refuseWrites = false;
    EXPECT_TRUE(session.Step(-1).rampAccepted);
}

struct FakeJournal : CaptureJournal {
    std::vector<std::string>* log;
    CapturedDisplays recorded;
    explicit FakeJournal(std::vector<std::string>* l) : log(l) {}
    std::optional<CapturedDisplays> Pending() override { return std::nullopt; }
    bool Record(const CapturedDisplays& captured) override {
        recorded = captured;
        log->push_back("journal.Record");
        return true;
    }
    void Clear() override { log->push_back("journal.Clear"); }
};

TEST(BoostSessionDisplays, EachDisplayKeepsItsOwnRampAndTheEstimateFollowsThePrimary) {
    FakeDisplay displays;
    displays.current = TableOf(BuildRamp(1.35));  // display 0
    displays.extra.resize(1);
    displays.extra[0].current = TableOf(DarkCurve());  // display 1, the primary
    displays.primary = "D1";
    FakeStore store;
    {
        BoostSession session({displays, store, nullptr, nullptr, nullptr});
        session.Start();
        EXPECT_EQ(session.Level().level, EstimateLevel(DarkCurve()));
        const GammaRamp boosted = BuildRamp(ExponentOfLevel(session.Level().level));
        EXPECT_TRUE(IsBoosted(displays.current, TableOf(boosted)));
        EXPECT_TRUE(IsBoosted(displays.extra[0].current, TableOf(boosted)));
    }
    EXPECT_EQ(displays.current, TableOf(BuildRamp(1.35)));
    EXPECT_EQ(displays.extra[0].current, TableOf(DarkCurve()));
}

TEST(BoostSessionDisplays, ADisplayWithoutARampIsLeftAlone) {
    FakeDisplay displays;
    displays.extra.resize(1);
    displays.extra[0].readFails = true;
    FakeStore store;
    { BoostSession({displays, store, nullptr, nullptr, nullptr}).Start(); }
    EXPECT_TRUE(displays.extra[0].written.empty());
    EXPECT_EQ(displays.written.size(), 2u);  // boosted, then given back
}

TEST(BoostSessionDisplays, RefusedByOneDisplayIsARefusal) {
    FakeDisplay displays;
    displays.extra.resize(1);
    displays.extra[0].refuseWrites = true;
    FakeStore store;
    BoostSession session({displays, store, nullptr, nullptr, nullptr});
    EXPECT_TRUE(session.Start().refused);
}

TEST(BoostSessionDisplays, CaptureIsJournalledBeforeTheFirstBoostAndClearedAfterTheRestore) {
    FakeDisplay displays;
    std::vector<std::string> log;
    displays.log = &log;
    FakeJournal journal(&log);
    FakeStore store;
    { BoostSession({displays, store, &journal, nullptr, nullptr}).Start(); }
    EXPECT_EQ(log, (std::vector<std::string>{"journal.Record", "display.Write D0", "display.Write D0", "journal.Clear"}));
    ASSERT_EQ(journal.recorded.size(), 1u);
    EXPECT_EQ(journal.recorded[0].name, "D0");
    EXPECT_EQ(journal.recorded[0].table, TableOf(IdentityRamp()));
}

TEST(RampWatch, ReplacedRampIsSetAgainButARefusedOneNever) {
    FakeDisplay display;
    FakeStore store;
    store.value = "37";
    BoostSession session({display, store, nullptr, nullptr, nullptr});
    session.Start();
    EXPECT_FALSE(session.WatchRamp().rewrote);  // nothing changed
    display.current = TableOf(BuildRamp(2.0));           // a game sets its own ramp
    EXPECT_TRUE(session.WatchRamp().rewrote);
    EXPECT_EQ(display.current, TableOf(BuildRamp(ExponentOfLevel(37))));
    RampTable quantised = display.current;
    for (auto& entry : quantised.entries) entry &= 0xFF00;  // what an 8-bit display gives back
    display.current = quantised;
    EXPECT_FALSE(session.WatchRamp().rewrote);
    display.current.At(1, 128) = static_cast<std::uint16_t>(display.current.At(1, 128) + 600);  // barely another ramp
    EXPECT_TRUE(session.WatchRamp().rewrote);

    // Refused once (the secure desktop, a mode change): the watchdog leaves it, but a
    // display change, an unlock or a resume tries again, and the display takes it now.
    display.refuseWrites = true;
    session.Step(+1);
    display.refuseWrites = false;
    const std::size_t writes = display.written.size();
    display.current = TableOf(BuildRamp(2.0));
    EXPECT_FALSE(session.WatchRamp().rewrote);
    EXPECT_EQ(display.written.size(), writes);
    session.OnDisplaysChanged();
    EXPECT_TRUE(IsBoosted(display.current, TableOf(BuildRamp(ExponentOfLevel(38)))));
}

TEST(BoostSessionDisplays, DisplaysThatComeAndGoAreToldApartByName) {
    FakeDisplay displays;
    displays.extra.resize(1);
    displays.extra[0].current = TableOf(DarkCurve());  // D1
    std::vector<std::string> log;
    FakeJournal journal(&log);
    FakeStore store;
    store.value = "37";
    const GammaRamp boosted = BuildRamp(ExponentOfLevel(37));
    BoostSession session({displays, store, &journal, nullptr, nullptr});
    session.Start();

    // D0 is unplugged while boosted: gone, not refused, and the watchdog goes on for D1.
    displays.detached.insert("D0");
    displays.extra[0].current = TableOf(BuildRamp(2.0));
    EXPECT_TRUE(session.WatchRamp().rewrote);
    EXPECT_EQ(displays.extra[0].current, TableOf(boosted));
    EXPECT_TRUE(session.Step(+1).rampAccepted);

    // A new display joins: captured (and journalled) before it is boosted.
    displays.extra.resize(2);
    displays.extra[1].current = TableOf(BuildRamp(1.15));  // D2
    EXPECT_TRUE(session.WatchRamp().rewrote);
    EXPECT_TRUE(IsBoosted(displays.extra[1].current, TableOf(BuildRamp(ExponentOfLevel(38)))));
    ASSERT_EQ(journal.recorded.size(), 3u);  // D0 is still to be given back if it returns
    EXPECT_EQ(journal.recorded[2].name, "D2");
    EXPECT_EQ(journal.recorded[2].table, TableOf(BuildRamp(1.15)));

    // D0 comes back (with whatever the system gave it): boosted again, and at the end it
    // gets its own captured ramp, not a second capture.
    displays.detached.clear();
    displays.current = TableOf(BuildRamp(0.9));
    EXPECT_TRUE(session.Step(0).rampAccepted);
    EXPECT_EQ(displays.current, TableOf(BuildRamp(ExponentOfLevel(38))));
    EXPECT_TRUE(session.Stop());
    EXPECT_EQ(displays.current, TableOf(IdentityRamp()));
    EXPECT_EQ(displays.extra[0].current, TableOf(DarkCurve()));
    EXPECT_EQ(displays.extra[1].current, TableOf(BuildRamp(1.15)));
    EXPECT_EQ(log.back(), "journal.Clear");
}

TEST(BoostSessionDisplays, ARefusedRestoreKeepsTheRecordAndIsTold) {
    FakeDisplay displays;
    displays.extra.resize(1);
    std::vector<std::string> log;
    FakeJournal journal(&log);
    FakeStore store;
    BoostSession session({displays, store, &journal, nullptr, nullptr});
    session.Start();
    displays.extra[0].refuseWrites = true;
    EXPECT_FALSE(session.Stop());
    EXPECT_EQ(log.back(), "journal.Record");  // never cleared: the next start tries again
    EXPECT_EQ(displays.current, TableOf(IdentityRamp()));

    ASSERT_EQ(journal.recorded.size(), 1u);  // only what is still owed
    EXPECT_EQ(journal.recorded[0].name, "D1");

    // A display that is gone at the end is no refusal, but it is still owed its ramp.
    FakeDisplay other;
    other.extra.resize(1);
    std::vector<std::string> otherLog;
    FakeJournal otherJournal(&otherLog);
    BoostSession second({other, store, &otherJournal, nullptr, nullptr});
    second.Start();
    other.detached.insert("D1");
    EXPECT_TRUE(second.Stop());
    EXPECT_EQ(otherLog.back(), "journal.Record");
    ASSERT_EQ(otherJournal.recorded.size(), 1u);
    EXPECT_EQ(otherJournal.recorded[0].name, "D1");
}

TEST(RampWatch, ARefusalMetByTheWatchdogCountsAndIsNeverRetried) {
    FakeDisplay displays;
    displays.extra.resize(1);
    FakeStore store;
    store.value = "37";
    BoostSession session({displays, store, nullptr, nullptr, nullptr});
    session.Start();
    displays.extra[0].current = TableOf(BuildRamp(2.0));
    displays.extra[0].refuseWrites = true;
    EXPECT_FALSE(session.WatchRamp().rewrote);
    const std::size_t tries = displays.extra[0].written.size();
    displays.current = TableOf(BuildRamp(2.0));  // D0 still gets its ramp back
    EXPECT_TRUE(session.WatchRamp().rewrote);
    EXPECT_EQ(displays.current, TableOf(BuildRamp(ExponentOfLevel(37))));
    EXPECT_EQ(displays.extra[0].written.size(), tries);
}

TEST(RampWatch, AProgramThatKeepsSettingItsRampIsLeftTheDisplay) {
    FakeDisplay display;
    FakeStore store;
    store.value = "44";
    BoostSession session({display, store, nullptr, nullptr, nullptr});
    session.Start();
    int rewrites = 0;
    for (int tick = 0; tick < 20; ++tick) {
        if (tick % 2 == 0) display.current = TableOf(BuildRamp(1.15));  // a night light, every 2 s
        const BoostSession::Watched watched = session.WatchRamp();
        rewrites += watched.rewrote;
        EXPECT_FALSE(watched.yielded && rewrites != 3) << tick;
    }
    EXPECT_EQ(rewrites, 3);
    EXPECT_EQ(display.current, TableOf(BuildRamp(1.15)));
}

// Windows skips a ramp equal to the last it took, even when a full-screen program reset the
// hardware since: every write of a level differs from the one before by one step nobody sees.
TEST(RampWatch, ADisplayThatSkipsARepeatedRampIsStillSetAgain) {
    FakeDisplay display;
    display.skipsRepeats = true;
    FakeStore store;
    store.value = "37";
    BoostSession session({display, store, nullptr, nullptr, nullptr});
    session.Start();
    const RampTable level37 = TableOf(BuildRamp(ExponentOfLevel(37)));
    display.current = IdentityTable(kRampEntries);  // reset behind the system's back
    session.OnDisplaysChanged();
    EXPECT_TRUE(IsBoosted(display.current, level37));
    ASSERT_EQ(display.written.size(), 2u);
    EXPECT_NE(display.written[0], display.written[1]);
    // What it shows now is still that level to the watch, and to the record's eyes ours.
    EXPECT_FALSE(session.WatchRamp().rewrote);
    EXPECT_TRUE(IsBoostTable(display.current));
}

// A full-screen program taking the foreground makes Windows put the player's own ramp back:
// set right again each time, never counted as another program's. A foreign ramp that comes
// back at every foreground change is one, and is given way after three.
TEST(RampWatch, AResetAtAForegroundChangeNeverCountsButAForeignRampDoes) {
    FakeDisplay display;
    FakeStore store;
    store.value = "37";
    BoostSession session({display, store, nullptr, nullptr, nullptr});
    session.Start();
    const RampTable level37 = TableOf(BuildRamp(ExponentOfLevel(37)));
    for (int focus = 0; focus < 5; ++focus) {
        display.current = IdentityTable(kRampEntries);
        const BoostSession::Watched watched = session.WatchAfterForeground(false);
        EXPECT_TRUE(watched.rewrote && !watched.yielded) << focus;
        EXPECT_TRUE(IsBoosted(display.current, level37)) << focus;
    }
    int rewrites = 0;
    bool yielded = false;
    for (int focus = 0; focus < 5; ++focus) {
        display.current = TableOf(BuildRamp(1.15));
        const BoostSession::Watched watched = session.WatchAfterForeground(false);
        rewrites += watched.rewrote;
        yielded = yielded || watched.yielded;
    }
    EXPECT_EQ(rewrites, 3);
    EXPECT_TRUE(yielded);
}

TEST(PutBackCaptured, RecordsOfOldFindTheirDisplaysByPlace) {
    FakeDisplay displays;
    displays.extra.resize(1);
    const CapturedDisplays old = {{"", TableOf(DarkCurve()), "", 1}, {"", RampTable(kRampEntries), "", 0}};
    const PutBack back = PutBackCaptured(displays, old);
    EXPECT_FALSE(back.refused);
    EXPECT_TRUE(back.owed.empty());
    EXPECT_EQ(displays.extra[0].current, TableOf(DarkCurve()));
    EXPECT_EQ(displays.current, TableOf(IdentityRamp()));  // all zero goes back as linear, never black
}

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
