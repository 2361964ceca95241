// The program's behaviour through its real core, with a shell of fakes and a clock.
#include "app/app_core.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/fake_shell.h"
#include "fakes/boost_matchers.h"
#include "app/hotkey_model.h"
#include "indicator/indicator_strip.h"

namespace lumeq {
namespace {

using testing::IsBoosted;
using testing::FakeShell;
using testing::SettingsText;

GammaRamp LevelRamp(int level) { return BuildRamp(ExponentOfLevel(level)); }

TEST(AppCore, SwitchingOnAndOffShowsTheStateAndGivesTheRampBack) {
    FakeShell shell;
    shell.levelStore.value = "37";
    shell.Start();
    shell.core.SwitchOn();
    EXPECT_TRUE(IsBoosted(shell.display.current, TableOf(LevelRamp(37))));
    EXPECT_EQ(shell.Field(Field::BoostState), "True");
    EXPECT_EQ(shell.Field(Field::LevelCaption), "-3.00");
    EXPECT_TRUE(shell.timers.IsRunning(TimerId::RampWatch));
    EXPECT_FALSE(shell.main.menus[Command::BarSwitchOn]);
    EXPECT_TRUE(shell.main.menus[Command::PopupLevelUp]);

    shell.core.SwitchOff();
    EXPECT_EQ(shell.display.current, TableOf(IdentityRamp()));
    EXPECT_EQ(shell.levelStore.value, "37");
    EXPECT_EQ(shell.Field(Field::BoostState), "False");
    EXPECT_FALSE(shell.timers.IsRunning(TimerId::RampWatch));
    EXPECT_FALSE(shell.main.menus[Command::PopupLevelUp]);
    EXPECT_TRUE(shell.timers.IsRunning(TimerId::WatcherRearm));  // every switch-off re-arms the watcher
}

TEST(AppCore, HotKeysStepTheLevelAndTheStripTellsIt) {
    FakeShell shell;
    shell.Start();
    shell.core.DispatchHotKey(3);  // Ctrl+F4 while off: nothing
    EXPECT_TRUE(shell.indicator.shown.empty());
    shell.core.DispatchHotKey(0);
    shell.core.DispatchHotKey(3);
    shell.core.DispatchHotKey(3);
    shell.core.DispatchHotKey(2);
    EXPECT_EQ(shell.display.current, TableOf(LevelRamp(41)));
    EXPECT_EQ(shell.indicator.shown.back(), "lumeq Gamma      La gamma actual es 1.00");
    shell.display.refuseWrites = true;
    shell.core.DispatchHotKey(3);
    EXPECT_EQ(shell.indicator.shown.back(), "lumeq Gamma      La pantalla no acepta 2.00");
    shell.display.refuseWrites = false;
    shell.core.DispatchHotKey(1);  // Ctrl+F2: a screenshot 50 ms later
    shell.timers.Advance(50);
    EXPECT_EQ(shell.screenshots.files.size(), 1u);
    shell.core.DispatchHotKey(0);
    EXPECT_FALSE(shell.core.IsOn());

    // Without a record a crash could not be undone: the player asked for the boost and
    // gets it, and is told once.
    shell.recordStorage.saveFails = true;
    shell.core.DispatchHotKey(0);
    EXPECT_TRUE(IsBoosted(shell.display.current, TableOf(LevelRamp(42))));
    EXPECT_EQ(shell.indicator.shown.back(), "lumeq Gamma      No se pudo guardar la gamma original");
    const std::size_t told = shell.indicator.shown.size();
    shell.core.DispatchHotKey(0);
    shell.core.DispatchHotKey(0);
    EXPECT_EQ(shell.indicator.shown.size(), told);
}

TEST(AppCore, TheStartUpInItsOrderAndTheFirstRunsBox) {
    FakeShell shell(SettingsText("0", "True", {"hl.exe", "", "", ""}));
    shell.startup.folderFound = false;
    shell.Start();
    EXPECT_EQ(shell.startup.steps,
              (std::vector<std::string>{"hot keys", "size and place", "folder made", "first run box", "shown"}));
    EXPECT_TRUE(shell.timers.IsRunning(TimerId::WatcherTick));  // the stored flag, before the keys
    EXPECT_EQ(shell.Field(Field::FolderFileCount), "0");
    FakeShell readOnly;  // a folder that cannot be made: no box, which would come at every start
    readOnly.startup.folderFound = false;
    readOnly.startup.folderMade = false;
    readOnly.Start();
    EXPECT_EQ(readOnly.startup.steps, (std::vector<std::string>{"hot keys", "size and place", "folder made", "shown"}));
}

TEST(AppCore, TheStripGoesEightSecondsAfterItsLastText) {
    FakeShell shell;
    shell.Start();
    shell.core.SwitchOn();
    shell.core.DispatchHotKey(3);
    shell.timers.Advance(5000);
    shell.core.DispatchHotKey(2);  // another step starts the 8 s afresh
    shell.timers.Advance(7999);
    EXPECT_TRUE(shell.indicator.visible);
    shell.timers.Advance(1);
    EXPECT_FALSE(shell.indicator.visible);
    EXPECT_FALSE(shell.timers.IsRunning(TimerId::StripHide));
}

// A command that arrives while the watcher's tick reads the process list (the Windows
// shell lets waiting messages run then) runs once the tick is over, never inside it.
TEST(AppCore, ACommandDuringTheWatchersTickRunsAfterIt) {
    FakeShell shell(SettingsText("0", "True", {"hl.exe", "", "", ""}));
    shell.Start();
    bool onInsideTheTick = true;
    shell.processes.whileListing = [&] {
        shell.core.DispatchHotKey(0);  // Ctrl+F1, waiting in the queue
        onInsideTheTick = shell.core.IsOn();
    };
    shell.timers.Advance(1000);
    EXPECT_FALSE(onInsideTheTick);
    EXPECT_TRUE(shell.core.IsOn());
    EXPECT_EQ(shell.Field(Field::BoostState), "True");
}

// A command that waited for the tick may open a menu, whose modal loop runs the watcher's
// timer again: that tick must not run the waiting commands a second time.
TEST(AppCore, ATickInsideAWaitingCommandDoesNotReplayTheQueue) {
    FakeShell shell(SettingsText("0", "True", {"hl.exe", "", "", ""}));
    shell.Start();
    shell.processes.whileListing = [&] {
        shell.core.OnTrayEvent(TrayEvent::ContextMenu);
        shell.core.DispatchHotKey(0);  // Ctrl+F1 waits behind the menu
    };
    shell.main.whilePopupOpen = [&] { shell.core.OnTimer(TimerId::WatcherTick); };
    shell.timers.Advance(1000);
    EXPECT_EQ(shell.main.popups, 1);
    EXPECT_TRUE(shell.core.IsOn());  // switched on once, not on and off again
}

// "Activar" that comes again while on (a command that waited, a second menu click) sets the
// level again; the displays' own ramps stay the ones first captured.
TEST(AppCore, ActivatingWhileOnNeverCapturesTheBoost) {
    FakeShell shell;
    shell.levelStore.value = "44";
    shell.Start();
    shell.core.SwitchOn();
    shell.core.DispatchHotKey(2);  // 43
    shell.core.SwitchOn();
    EXPECT_TRUE(IsBoosted(shell.display.current, TableOf(LevelRamp(43))));
    shell.core.SwitchOff();
    EXPECT_EQ(shell.display.current, IdentityTable(kRampEntries));
}

// With no display's ramp to capture nothing can be boosted: the player is told at once,
// as a refused ramp is told, not at the first step.
TEST(AppCore, ABoostThatCapturedNothingIsToldAsRefused) {
    FakeShell shell;
    shell.levelStore.value = "44";
    shell.display.readFails = true;
    shell.Start();
    shell.core.SwitchOn();
    ASSERT_FALSE(shell.indicator.shown.empty());
    EXPECT_EQ(shell.indicator.shown.back().rfind("lumeq Gamma      La pantalla no acepta ", 0), 0u)
        << shell.indicator.shown.back();

    FakeShell refusing;  // captured, but the first ramp refused
    refusing.levelStore.value = "44";
    refusing.display.refuseWrites = true;
    refusing.Start();
    refusing.core.SwitchOn();
    ASSERT_FALSE(refusing.indicator.shown.empty());
    EXPECT_EQ(refusing.indicator.shown.back(), "lumeq Gamma      La pantalla no acepta 4.00");
}

// A display in HDR keeps the player's own ramp (a ramp there bends the picture), and the
// player is told once, in the strip and in the information box; a display that takes no ramp
// at all is told as such, never as a refusal at every step.
TEST(AppCore, DisplaysNoRampCanBrightenAreLeftAloneAndToldOnce) {
    FakeShell shell;
    shell.levelStore.value = "44";
    shell.display.extra.resize(1);
    shell.display.extra[0].fitness = DisplayFitness::Hdr;
    const RampTable own = shell.display.extra[0].current;
    shell.Start();
    shell.core.SwitchOn();
    EXPECT_TRUE(IsBoosted(shell.display.current, TableOf(LevelRamp(44))));
    EXPECT_EQ(shell.display.extra[0].current, own);
    EXPECT_TRUE(shell.display.extra[0].written.empty());
    const auto told = [&](const std::string& text) {
        return std::count(shell.indicator.shown.begin(), shell.indicator.shown.end(), text);
    };
    EXPECT_EQ(told("lumeq Gamma      La pantalla D1 tiene HDR: la gamma no puede aclararla"), 1);
    EXPECT_NE(shell.core.Information().find("«Brillo del contenido SDR»"), std::string::npos);
    shell.core.DispatchHotKey(static_cast<int>(HotKeyId::CtrlF4));
    shell.core.OnDisplaysChanged();
    EXPECT_EQ(told("lumeq Gamma      La pantalla D1 tiene HDR: la gamma no puede aclararla"), 1);
    EXPECT_EQ(shell.indicator.shown.back(), "lumeq Gamma      La gamma actual es 5.00");  // D0 took the step

    FakeShell remote;  // the only display takes no ramp
    remote.levelStore.value = "44";
    remote.display.fitness = DisplayFitness::NoRamp;
    remote.Start();
    remote.core.SwitchOn();
    for (int step = 0; step < 3; ++step) remote.core.DispatchHotKey(static_cast<int>(HotKeyId::CtrlF4));
    EXPECT_TRUE(remote.display.written.empty());
    EXPECT_FALSE(remote.core.Information().find("HDR") != std::string::npos);
    for (const std::string& text : remote.indicator.shown) {
        EXPECT_EQ(text.find("no acepta"), std::string::npos) << text;
        EXPECT_EQ(text, "lumeq Gamma      La pantalla D0 no admite cambios de gamma");
    }
}

// A program that keeps setting its own ramp (a night light, f.lux) is given way to after
// three rewrites within half a minute, on Windows as on Linux, and the player is told which.
TEST(AppCore, AProgramThatKeepsRewritingTheRampIsGivenWay) {
    FakeShell shell;
    shell.processes.running.push_back({"redshift", 77});
    shell.Start();
    shell.core.SwitchOn();
    RampTable warm = IdentityTable(kRampEntries);
    for (int i = 0; i < kRampEntries; ++i) warm.At(2, i) = static_cast<std::uint16_t>(warm.At(2, i) / 2);
    for (int rewrite = 0; rewrite < 4; ++rewrite) {
        shell.display.current = warm;
        shell.timers.Advance(1000);
    }
    EXPECT_EQ(shell.display.current, warm);
    EXPECT_EQ(shell.indicator.shown.back(), "lumeq Gamma      Redshift cambia la gamma: lumeq gamma le cede la pantalla");
}

TEST(AppCore, TheIconBringsTheWindowBackAndHidesIt) {
    FakeShell shell;
    shell.Start();
    shell.core.OnTrayEvent(TrayEvent::DoubleClick);  // double click while hidden: shown, brought to the front 300 ms later
    EXPECT_EQ(shell.Field(Field::WindowHidden), "Si");
    shell.timers.Advance(300);
    EXPECT_EQ(shell.main.window, (std::vector<WindowRequest>{WindowRequest::Show, WindowRequest::BringBack}));
    EXPECT_FALSE(shell.timers.IsRunning(TimerId::ShowAgain));
    shell.core.OnTrayEvent(TrayEvent::DoubleClick);  // again: hidden
    EXPECT_EQ(shell.main.window.back(), WindowRequest::Hide);
    EXPECT_EQ(shell.Field(Field::WindowHidden), "No");
    shell.core.OnTrayEvent(TrayEvent::ContextMenu);
    EXPECT_EQ(shell.main.popups, 1);
}

TEST(AppCore, TheWatcherFollowsTheGameThroughItsOwnTimers) {
    FakeShell shell(SettingsText("0", "True", {"hl.exe", "", "", ""}));
    shell.Start();
    EXPECT_TRUE(shell.panels.checked);
    shell.timers.Advance(3000);
    EXPECT_FALSE(shell.core.IsOn());

    shell.processes.running.push_back({"HL.EXE", 77});
    const std::size_t before = shell.display.written.size();
    shell.timers.Advance(2000);  // listed at the next tick, selected and started at the one after
    EXPECT_TRUE(shell.core.IsOn());
    shell.timers.Advance(3000);  // later ticks find it still running: nothing more is written
    EXPECT_TRUE(shell.core.IsOn());
    EXPECT_EQ(shell.display.written.size() - before, 1u);  // the ramp written once: no blink at the start
    EXPECT_TRUE(shell.core.Watcher().WaitingForEnd());
    EXPECT_FALSE(shell.timers.IsRunning(TimerId::WatcherRearm));

    // A switch-off by hand is undone half a second later while the game runs.
    shell.core.SwitchOff();
    shell.timers.Advance(600);
    EXPECT_TRUE(shell.core.IsOn());

    shell.processes.running.pop_back();
    shell.timers.Advance(1000);
    EXPECT_FALSE(shell.core.IsOn());
    shell.timers.Advance(3000);
    EXPECT_FALSE(shell.core.IsOn());
    EXPECT_TRUE(shell.core.Watcher().WaitingForStart());
    EXPECT_EQ(shell.display.current, TableOf(IdentityRamp()));
}

TEST(AppCore, LeavingStopsEverythingSoTheBoostCannotComeBack) {
    FakeShell shell(SettingsText("0", "True", {"hl.exe", "", "", ""}));
    shell.processes.running.push_back({"hl.exe", 77});
    shell.Start();
    shell.timers.Advance(2600);
    ASSERT_TRUE(shell.core.IsOn());
    EXPECT_TRUE(shell.core.Leave());
    shell.timers.Advance(5000);  // the game is still listed
    EXPECT_FALSE(shell.core.IsOn());
    EXPECT_TRUE(shell.timers.running.empty());
    EXPECT_EQ(shell.display.current, TableOf(IdentityRamp()));
}

TEST(AppCore, TheStoredFlagFollowsAceptarWhateverWasReadBetween) {
    FakeShell shell(SettingsText("0", "False", {"hl.exe", "", "", ""}));
    shell.Start();
    shell.core.RunMenuCommand(Command::BarAutoActivation);
    shell.core.AutoActivationTicked(true);
    shell.core.OpenProgramsPanel();  // reads the stored "False" again
    shell.core.NameEdited(1, "juego.exe");
    shell.core.SwitchOn();
    shell.core.RunMenuCommand(Command::BarScreenshot);
    shell.timers.Advance(250);  // a screenshot's write meanwhile: the unconfirmed tick is not stored
    EXPECT_EQ(shell.settings.writes.back(), SettingsText("1", "False", {"hl.exe", "juego.exe", "", ""}));
    shell.core.AcceptPrograms();
    shell.core.AcceptAutoActivation();
    EXPECT_EQ(shell.settings.writes.back(), SettingsText("1", "True", {"hl.exe", "juego.exe", "", ""}));
    EXPECT_TRUE(shell.timers.IsRunning(TimerId::WatcherTick));

    // Unticked and confirmed: the boxes hold the sentinel, the file keeps the names.
    shell.core.AutoActivationTicked(false);
    shell.core.AcceptAutoActivation();
    EXPECT_EQ(shell.panels.names[0], kNameSentinel);
    EXPECT_EQ(shell.settings.writes.back(), SettingsText("1", "False", {"hl.exe", "juego.exe", "", ""}));
    EXPECT_FALSE(shell.core.IsOn());

    // A write that fails (a scanner that holds the file past its second) is told once.
    shell.settings.writeFails = true;
    shell.core.AcceptAutoActivation();
    shell.core.AcceptPrograms();
    EXPECT_EQ(std::count(shell.indicator.shown.begin(), shell.indicator.shown.end(),
                         "lumeq Gamma      No se pudo guardar lumeq.ini"),
              1);
}

TEST(AppCore, ScreenshotsTakeTheNextFreeNumberAndAFailureIsTold) {
    FakeShell shell(SettingsText("18446744073709551615", "False", {"", "", "", ""}));
    shell.screenshots.files["screen_18446744073709551615.jpg"] = {1};
    shell.Start();
    EXPECT_EQ(shell.Field(Field::FolderFileCount), "1");
    shell.core.SwitchOn();
    shell.core.DispatchHotKey(1);
    shell.core.RunMenuCommand(Command::BarScreenshot);  // a second request only restarts the delay
    shell.timers.Advance(1000);
    EXPECT_EQ(shell.screenshots.files.size(), 2u);
    EXPECT_TRUE(shell.screenshots.files.count("screen_18446744073709551616.jpg"));
    EXPECT_EQ(shell.screenshotsView.count, "1 nueva Screenshot");
    EXPECT_EQ(shell.Field(Field::ScreenshotCounter), "18446744073709551617");
    EXPECT_EQ(shell.main.folderCaption, "Abrir carpeta (2) *");
    EXPECT_EQ(shell.settings.writes.size(), 1u);

    shell.screenshots.writeFails = true;
    shell.core.DispatchHotKey(1);
    shell.timers.Advance(50);
    EXPECT_EQ(shell.screenshotsView.count, "Screenshot no guardada");
    EXPECT_EQ(shell.Field(Field::ScreenshotCounter), "18446744073709551617");
    EXPECT_EQ(shell.settings.writes.size(), 1u);
    EXPECT_EQ(shell.Field(Field::NewScreenshots), "1");

    // Thousands of numbers after the counter taken: on from the highest in the folder.
    FakeShell many(SettingsText("7000", "False", {"", "", "", ""}));
    for (int n = 7000; n < 8500; ++n) many.screenshots.files["screen_" + std::to_string(n) + ".jpg"] = {1};
    many.screenshots.files["screen_99999.jpg"] = {1};
    many.Start();
    many.core.SwitchOn();
    many.core.DispatchHotKey(1);
    many.timers.Advance(50);
    EXPECT_TRUE(many.screenshots.files.count("screen_100000.jpg"));
    EXPECT_EQ(many.Field(Field::ScreenshotCounter), "100001");
}

}  // namespace
}  // namespace lumeq
