#include "autoactivation/auto_activation.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>

namespace lumeq {
namespace {

// The main window as the watcher sees it, with the timers driven by a fake clock:
// the tick every 1000 ms, the re-arm 500 ms after the last deactivation.
class Simulation : public ProcessList, public BoostSwitch {
public:
    Simulation() : watcher(*this, *this, boxes) {}

    std::vector<ProcessEntry> ListProcesses() override { return processes; }
    void TurnOn() override {
        on = true;
        log += "A";
    }
    void TurnOff() override {
        on = false;
        log += "D";
        rearmAt = now + 500;
    }

    void SetBox(int index, std::string name) {
        boxes[static_cast<std::size_t>(index)] = std::move(name);
        watcher.NameChanged();
    }
    // Advances the clock in 100 ms steps, firing whatever timer is due.
    void Run(int ms) {
        for (int end = now + ms; now < end;) {
            now += 100;
            if (rearmAt && *rearmAt <= now) {
                watcher.OnWatcherRearm();
                rearmAt.reset();  // the re-arm stops its own timer last
            }
            if (now % 1000 == 0) watcher.OnWatcherTick();
        }
    }
    // The automatic-activation tick ticked, as the panel does: armed, one start check at once.
    void SwitchOn() {
        watcher.Arm();
        watcher.LookForStart();
    }

    std::array<std::string, 4> boxes{};
    ProcessWatcher watcher;
    std::vector<ProcessEntry> processes{{"explorer.exe", 32}, {"services.exe", 40}};
    std::string log;
    bool on = false;
    int now = 0;
    std::optional<int> rearmAt;
};

TEST(ProcessWatcher, AutomaticStartSwitchesOnOnceAndStopsWithTheProgram) {
    Simulation sim;
    sim.SetBox(0, "hl.exe");
    sim.SwitchOn();
    sim.processes.push_back({"HL.EXE", 77});
    sim.Run(2000);  // seen by the list at 1 s, selected and started at 2 s
    EXPECT_EQ(sim.log, "A");  // straight on: never off and on again while the game runs
    EXPECT_TRUE(sim.on);
    sim.Run(3500);
    EXPECT_EQ(sim.log, "A");
    EXPECT_TRUE(sim.watcher.WaitingForEnd());
    EXPECT_FALSE(sim.watcher.WaitingForStart());

    sim.processes.pop_back();
    sim.Run(1000);
    EXPECT_EQ(sim.log, "AD");
    EXPECT_FALSE(sim.on);
    sim.Run(3000);  // re-armed and waiting; nothing runs
    EXPECT_EQ(sim.log, "AD");
    EXPECT_TRUE(sim.watcher.WaitingForStart());
    EXPECT_FALSE(sim.watcher.WaitingForEnd());
}

TEST(ProcessWatcher, ManualSwitchOffIsUndoneWhileTheGameRuns) {
    Simulation sim;
    sim.SetBox(1, "hl.exe");
    sim.processes.push_back({"hl.exe", 77});
    sim.SwitchOn();
    sim.Run(3000);
    ASSERT_TRUE(sim.on);
    sim.log.clear();
    sim.TurnOff();  // the user's Ctrl+F1
    sim.Run(500);
    EXPECT_EQ(sim.log, "DA");
    EXPECT_TRUE(sim.on);
}

TEST(ProcessWatcher, EditingANameBoxSwitchesOffOnceThenOnAgain) {
    Simulation sim;
    sim.SetBox(0, "hl.exe");
    sim.processes.push_back({"hl.exe", 77});
    sim.SwitchOn();
    sim.Run(3000);
    ASSERT_TRUE(sim.on);
    sim.log.clear();
    sim.SetBox(2, "quake.exe");
    sim.Run(1000);
    EXPECT_EQ(sim.log, "D");
    sim.Run(2000);  // picked again after the re-arm
    EXPECT_EQ(sim.log, "DA");
    EXPECT_TRUE(sim.on);
}

TEST(ProcessWatcher, HigherNumberedBoxWinsAndTheOtherTakesOverWhenItEnds) {
    Simulation sim;
    sim.SetBox(0, "hl.exe");
    sim.SetBox(3, "quake.exe");
    sim.processes.push_back({"hl.exe", 77});
    sim.processes.push_back({"quake.exe", 78});
    sim.SwitchOn();
    sim.Run(3000);
    EXPECT_EQ(sim.watcher.WatchedName(), "quake.exe");
    sim.processes.pop_back();
    sim.log.clear();
    sim.Run(1000);
    EXPECT_EQ(sim.log, "D");
    sim.Run(2000);
    EXPECT_EQ(sim.watcher.WatchedName(), "hl.exe");
    EXPECT_TRUE(sim.on);
}

TEST(ProcessWatcher, ProgramSeenOnlyBetweenTwoTicksNeverSwitches) {
    Simulation sim;
    sim.SetBox(0, "hl.exe");
    sim.SwitchOn();
    sim.Run(1000);
    sim.processes.push_back({"hl.exe", 77});
    sim.now += 300;
    sim.processes.pop_back();
    sim.now -= 300;
    sim.Run(5000);
    EXPECT_EQ(sim.log, "");
}

TEST(ProcessWatcher, PrefixNamesMatchLongerProgramsAndEmptyNamesNothing) {
    Simulation sim;
    sim.processes.push_back({"hlds.exe", 90});
    sim.SwitchOn();
    sim.Run(5000);
    EXPECT_EQ(sim.log, "") << "four empty boxes";
    sim.SetBox(1, "hl");
    sim.Run(2000);
    EXPECT_TRUE(sim.on);
}

TEST(ProcessWatcher, DisarmedWatcherOnlyRebuildsTheList) {
    Simulation sim;
    sim.SetBox(0, "hl.exe");
    sim.processes.push_back({"hl.exe", 77});
    sim.Run(3000);
    EXPECT_EQ(sim.log, "");
    EXPECT_EQ(sim.watcher.Seen().back(), (ProcessEntry{"hl.exe", 77}));
}

TEST(ProcessWatcher, ListFormatAndCaseInsensitivePrefix) {
    // A name longer than the program's reaches into its line's id, as in a list box.
    EXPECT_TRUE(IsListed({{"a.exe", 1}, {"B.EXE", 4294967295u}}, "b.exe:  42949"));
    EXPECT_FALSE(IsListed({{"a.exe", 1}}, "a.exe:  12"));
    EXPECT_FALSE(IsListed({}, "a.exe"));
    EXPECT_TRUE(StartsWithIgnoringCase("HL.EXE:  7", "hl.exe"));
    EXPECT_TRUE(StartsWithIgnoringCase("ÉLITE.EXE:  7", "élite"));
    EXPECT_FALSE(StartsWithIgnoringCase("hl.exe:  7", "hl.exe:  70"));
    EXPECT_FALSE(StartsWithIgnoringCase("xhl.exe:  7", "hl"));
}

}  // namespace
}  // namespace lumeq
