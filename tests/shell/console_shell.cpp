// A second shell, as small as one can be: a console program that drives the real core
// through a fake of every port (the displays, the clock, the windows) and through the
// Linux edition's real file ports for the settings and the screenshots, and replays a
// player's session: start, Activar, steps, Ctrl+F2, a watched game on and off, BarLeave.
// It checks the ramps the displays were given and the files left behind. Exit code 0
// when all held.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

#include "fakes/fake_shell.h"
#include "linux/posix/file_stores_posix.h"

namespace fs = std::filesystem;
using namespace lumeq;

namespace {

int g_failed = 0;
int g_passed = 0;
void Check(bool held, const char* what) {
    std::printf("%s: %s\n", held ? "ok  " : "FAIL", what);
    (held ? g_passed : g_failed)++;
}

std::string FileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

// What a display shows after the boost set a level: its table, give or take the step by
// which successive writes of one level differ.
bool ShowsLevel(const lumeq::RampTable& shown, int level) {
    return lumeq::TablesMatch(shown, lumeq::TableOf(lumeq::BuildRamp(lumeq::ExponentOfLevel(level))));
}

int main() {
    const fs::path folder = fs::temp_directory_path() / ("lumeq-shell-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    {
        std::ofstream(folder / "lumeq.ini", std::ios::binary)
            << testing::SettingsText("0", "True", {"hl.exe", "", "", ""});
    }
    testing::FakeShell fakes;
    // The Linux edition's file ports, with a stand-in for the picture of the screen.
    PosixSettingsFile settings((folder / "lumeq.ini").string());
    PosixScreenshotFolder screenshots((folder / "Screenshots").string(), [] {
        return std::optional<std::vector<std::uint8_t>>({0xFF, 0xD8, 0xFF, 0xE0, 'J', 'F', 'I', 'F', 0, 0xFF, 0xD9});
    });
    const RampTable preset = TableOf(BuildRamp(1.25));  // the player's own calibration, between two levels
    fakes.display.current = preset;
    fakes.levelStore.value = "42";
    AppCore core(AppPorts{fakes.timers, fakes.main, fakes.indicator, fakes.panels, fakes.screenshotsView, screenshots,
                          settings, fakes.display, fakes.levelStore, nullptr, nullptr, fakes.processes},
                 ",");
    fakes.timers.fire = [&](TimerId timer) { core.OnTimer(timer); };

    core.StartUp(fakes.startup);
    Check(fakes.panels.checked && fakes.timers.IsRunning(TimerId::WatcherTick), "automatic activation from the file");
    Check(fakes.display.current == preset, "the start leaves the display alone");

    core.SwitchOn();  // "Activar"
    Check(ShowsLevel(fakes.display.current, 42), "Activar applies the stored level's ramp");
    core.DispatchHotKey(3);  // Ctrl+F4
    core.DispatchHotKey(3);
    core.DispatchHotKey(2);  // Ctrl+F3
    Check(ShowsLevel(fakes.display.current, 43), "two steps up and one down give level 43");
    Check(fakes.indicator.shown.back() == "lumeq Gamma      La gamma actual es 3,00", "the strip tells the level");

    core.DispatchHotKey(1);  // Ctrl+F2
    fakes.timers.Advance(100);
    Check(fs::exists(folder / "Screenshots" / "screen_0.jpg"), "Ctrl+F2 writes screen_0.jpg");
    Check(FileText(folder / "lumeq.ini") == testing::SettingsText("1", "True", {"hl.exe", "", "", ""}),
          "the counter is stored, with the flag and the names");

    core.SwitchOff();
    fakes.timers.Advance(1000);
    Check(fakes.display.current == preset, "Desactivar puts the calibration back");
    Check(fakes.levelStore.value == "43", "and stores the level");

    fakes.processes.running.push_back({"hl.exe", 4242});  // the game starts
    fakes.timers.Advance(2600);
    Check(core.IsOn() && ShowsLevel(fakes.display.current, 43), "the game switches the boost on");
    fakes.processes.running.pop_back();  // and ends
    fakes.timers.Advance(1000);
    Check(!core.IsOn() && fakes.display.current == preset, "its end switches it off");
    fakes.processes.running.push_back({"hl.exe", 4243});
    fakes.timers.Advance(2600);

    core.Leave();  // "Salir" while boosted, the game still running
    fakes.timers.Advance(5000);
    Check(!core.IsOn() && fakes.display.current == preset, "Salir leaves the calibration, for good");
    Check(fakes.timers.running.empty(), "no timer runs after Salir");
    Check(std::distance(fs::directory_iterator(folder / "Screenshots"), fs::directory_iterator()) == 1,
          "one screenshot in the folder");

    fs::remove_all(folder);
    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed == 0 ? 0 : 1;
}
