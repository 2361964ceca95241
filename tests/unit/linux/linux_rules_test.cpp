// The Linux edition's own rules: what a process is called, ramps for other table sizes,
// where the files go.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include <unistd.h>

#include "gamma/gamma_config.h"
#include "gamma/ramp_resample.h"
#include "gamma/recovery_record.h"
#include "linux/file_stores_posix.h"
#include "linux/proc_processes_posix.h"
#include "linux/process_names.h"
#include "linux/state_files_posix.h"
#include "../gamma/fakes.h"
#include "linux/xdg_paths.h"

namespace lumeq {
namespace {

using namespace std::string_literals;

TEST(ProcessNames, FirstArgumentsLastPartAndTheKernelsName) {
    struct Case {
        std::string cmdline, comm;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        // A game under Wine or Proton: the Windows path, and wine64-preloader never.
        {"Z:\\games\\Half-Life\\hl.exe\0-game\0cstrike\0"s, "hl.exe\n", {"hl.exe"}},
        {"C:\\Games\\hl.exe\0"s, "hl.exe\n", {"hl.exe"}},
        // A native game: its path, and the kernel's name cut to 15 bytes.
        {"/opt/games/quake3/quake3.x86_64\0+set\0fs_game\0"s, "quake3.x86_64\n", {"quake3.x86_64"}},
        {"/usr/lib/steam/steam-runtime-launcher\0/home/p/hl.exe\0"s, "steam-runtime-l\n",
         {"steam-runtime-launcher", "steam-runtime-l"}},
        // A game that renamed its main thread still answers to its first argument.
        {"./hlds.exe\0"s, "MainThrd\n", {"hlds.exe", "MainThrd"}},
        // Kernel threads have no arguments.
        {""s, "kworker/0:1\n", {"kworker/0:1"}},
        {""s, "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.comm);
        EXPECT_EQ(ProcessNames(c.cmdline, c.comm), c.names);
    }
}

TEST(ProcProcesses, ReadsEveryProcessOfAProcTreeUnderEachOfItsNames) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / "lumeq-proc-fixture";
    fs::remove_all(root);
    auto process = [&](const char* id, const std::string& cmdline, const std::string& comm) {
        fs::create_directories(root / id);
        std::ofstream(root / id / "cmdline", std::ios::binary) << cmdline;
        std::ofstream(root / id / "comm", std::ios::binary) << comm;
    };
    process("1", "/sbin/init\0splash\0"s, "systemd\n");
    process("4242", "Z:\\games\\hl.exe\0-game\0"s, "hl.exe\n");
    process("77", ""s, "kthreadd\n");
    fs::create_directories(root / "self");  // not a process id
    fs::create_directories(root / "sys");
    ProcProcesses processes(root.string());
    std::vector<std::string> items = ListItems(processes.ListProcesses());
    std::sort(items.begin(), items.end());
    EXPECT_EQ(items, (std::vector<std::string>{"hl.exe:  4242", "init:  1", "kthreadd:  77", "systemd:  1"}));
    // A launcher that execs the game under its own id, soon after its start, is seen as the game.
    process("500", "/bin/sh\0launch.sh\0"s, "sh\n");
    processes.ListProcesses();
    process("500", "C:\\Games\\cs.exe\0"s, "cs.exe\n");
    items = ListItems(processes.ListProcesses());
    EXPECT_NE(std::find(items.begin(), items.end(), "cs.exe:  500"), items.end());
    // Later, once settled, a change of names is seen within the re-check period.
    for (std::uint64_t look = 0; look < ProcProcesses::kSettlingLooks; ++look) processes.ListProcesses();
    process("500", "quake3.exe\0"s, "quake3.exe\n");  // an exec: the kernel's name changes too
    bool seen = false;
    for (std::uint64_t look = 0; look < ProcProcesses::kRecheckEvery && !seen; ++look) {
        items = ListItems(processes.ListProcesses());
        seen = std::find(items.begin(), items.end(), "quake3.exe:  500") != items.end();
    }
    EXPECT_TRUE(seen);
    fs::remove_all(root);
    EXPECT_EQ(ProcProcesses(root.string()).ListProcesses(), "");  // no /proc: nothing runs

    // The real one lists this test, by its file name and by the kernel's 15 bytes of it.
    const std::vector<std::string> live = ListItems(ProcProcesses().ListProcesses());
    const std::string me = ":  " + std::to_string(::getpid());
    EXPECT_NE(std::find(live.begin(), live.end(), "lumeq_unit_tests" + me), live.end());
    EXPECT_NE(std::find(live.begin(), live.end(), "lumeq_unit_test" + me), live.end());
}

TEST(PosixFileStores, NeverReplaceAPictureAndNeverReadMoreThanASettingsFile) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / "lumeq-posix-stores";
    fs::remove_all(root);
    PosixScreenshotFolder shots((root / "Pictures" / "lumeq").string(), nullptr);
    EXPECT_EQ(shots.CreateNew("screen_0.jpg", {1, 2, 3}), CreateResult::Created);  // the folders are made
    EXPECT_EQ(shots.CreateNew("screen_0.jpg", {9}), CreateResult::Exists);
    fs::create_directories(root / "Pictures" / "lumeq" / "old" / "x.JPG");
    EXPECT_EQ(shots.Count(), (std::pair<std::int64_t, std::uint64_t>{2, 3}));  // a folder named so counts too

    PosixSettingsFile settings((root / "lumeq.ini").string());
    EXPECT_EQ(settings.Read().result, SettingsMemory::ReadResult::Missing);
    EXPECT_TRUE(settings.Write("NO ELIMINAR\r\n7\r\n"));
    EXPECT_EQ(settings.Read().text, "NO ELIMINAR\r\n7\r\n");
    EXPECT_FALSE(fs::exists(root / "lumeq.ini~"));
    std::ofstream(root / "lumeq.ini", std::ios::binary) << std::string(kMaxSettingsBytes + 1, 'x');
    EXPECT_EQ(settings.Read().result, SettingsMemory::ReadResult::Failed);
    fs::remove_all(root);
}

TEST(CrashRecord, AKilledRunsRampsComeBackAndALiveOnesRecordIsLeftAlone) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("lumeq-crash-record-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "proc" / "77");
    // A name with blanks and a parenthesis does not shift the fields.
    std::ofstream(root / "proc" / "77" / "stat") << "77 (a) b) S 1 77 77 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 123456 0 0\n";
    EXPECT_EQ(ProcessStartTime(77, (root / "proc").string()), std::optional<std::uint64_t>(123456));
    EXPECT_EQ(ProcessStartTime(78, (root / "proc").string()), std::nullopt);

    const std::string record = (root / "state" / "captured-ramps").string();
    testing::FakeDisplay displays;
    const GammaRamp calibration = BuildRamp(1.3);
    displays.current = calibration;
    FileCaptureJournal journal(record);
    journal.Record({{"D0", calibration}});  // this process: alive
    displays.current = BuildRamp(0.5);       // boosted
    EXPECT_TRUE(RecoverDisplaysAfterCrash(displays, record));
    EXPECT_EQ(displays.current, BuildRamp(0.5)) << "a record of a running program is that program's";
    EXPECT_TRUE(fs::exists(record));

    // The same record left by a program that is gone (another id, never started).
    auto bytes = SerializeRecovery({0x7FFFFFF0u, 1, {{"D0", calibration}}});
    std::ofstream(record, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(bytes.data()),
                                                                    static_cast<std::streamsize>(bytes.size()));
    EXPECT_TRUE(RecoverDisplaysAfterCrash(displays, record));
    EXPECT_EQ(displays.current, calibration);
    EXPECT_FALSE(fs::exists(record));
    fs::remove_all(root);
}

TEST(RampResample, OtherTableSizesKeepTheEndsAndTheShape) {
    const GammaRamp ramp = BuildRamp(ExponentOfLevel(44));
    const auto same = ResampleChannel(ramp, 0, 256);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(same[static_cast<std::size_t>(i)], ramp.At(0, i)) << i;
    for (int size : {511, 1024, 4096}) {
        const auto big = ResampleChannel(ramp, 1, size);
        ASSERT_EQ(big.size(), static_cast<std::size_t>(size));
        EXPECT_EQ(big.front(), ramp.At(1, 0));
        EXPECT_EQ(big.back(), ramp.At(1, 255));
        EXPECT_TRUE(std::is_sorted(big.begin(), big.end()));
    }
    EXPECT_EQ(ResampleChannel(ramp, 1, 511)[256], ramp.At(1, 128));  // falls on one of the 256
    EXPECT_TRUE(ResampleChannel(ramp, 2, 0).empty());  // a CRTC without gamma
    // Read back from a 1024-entry table, the level's ramp is what the engine set.
    const auto red = ResampleChannel(ramp, 0, 1024), green = ResampleChannel(ramp, 1, 1024),
               blue = ResampleChannel(ramp, 2, 1024);
    EXPECT_TRUE(RampsMatch(RampFromTables(red.data(), green.data(), blue.data(), 1024), ramp));
}

TEST(XdgPaths, WhereLinuxUsersExpectThemOrBesideTheProgram) {
    std::map<std::string, std::string> env = {{"HOME", "/home/ana"}};
    auto lookup = [&](std::string_view name) -> std::optional<std::string> {
        const auto found = env.find(std::string(name));
        if (found == env.end() || found->second.empty()) return std::nullopt;
        return found->second;
    };
    LinuxPaths paths = PathsFor(lookup, "/home/ana/Imágenes\n", "/opt/lumeq", false);
    EXPECT_EQ(paths.config, "/home/ana/.config/lumeq");
    EXPECT_EQ(paths.state, "/home/ana/.local/state/lumeq");
    EXPECT_EQ(paths.screenshots, "/home/ana/Imágenes/lumeq");

    env["XDG_CONFIG_HOME"] = "/srv/conf/";
    env["XDG_STATE_HOME"] = "relative/state";  // not absolute: ignored
    paths = PathsFor(lookup, "/home/ana", "/opt/lumeq", false);  // Pictures not set: the home folder
    EXPECT_EQ(paths.config, "/srv/conf/lumeq");
    EXPECT_EQ(paths.state, "/home/ana/.local/state/lumeq");
    EXPECT_EQ(paths.screenshots, "/home/ana/Pictures/lumeq");
    EXPECT_EQ(PathsFor(lookup, std::nullopt, "/opt/lumeq", false).screenshots, "/home/ana/Pictures/lumeq");

    paths = PathsFor(lookup, std::nullopt, "/media/usb/lumeq", true);
    EXPECT_EQ(paths.config, "/media/usb/lumeq");
    EXPECT_EQ(paths.screenshots, "/media/usb/lumeq/Screenshots");
}

}  // namespace
}  // namespace lumeq
