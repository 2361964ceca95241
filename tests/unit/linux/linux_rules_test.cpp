// The Linux edition's own rules: what a process is called, ramps for other table sizes,
// where the files go.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include <sys/stat.h>
#include <unistd.h>

#include "gamma/display_backends.h"
#include "gamma/boost_session.h"
#include "gamma/crash_record.h"
#include "linux/posix/file_stores_posix.h"
#include "app/hot_key_rules.h"
#include "linux/posix/proc_processes_posix.h"
#include "autoactivation/process_names.h"
#include "linux/posix/state_files_posix.h"
#include "fakes/display_fakes.h"
#include "settings/xdg_paths.h"

namespace lumeq {
namespace {

using namespace std::string_literals;

// Each process as "name:  id", as a list box would show it.
std::vector<std::string> Lines(const std::vector<ProcessEntry>& processes) {
    std::vector<std::string> lines;
    for (const ProcessEntry& process : processes) lines.push_back(process.name + ":  " + std::to_string(process.id));
    return lines;
}

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
        // The native build of a Windows game answers to the Windows name too.
        {"/games/Half-Life/hl_linux\0-game\0"s, "hl_linux\n", {"hl_linux", "hl.exe"}},
        {"./csgo_linux64\0"s, "csgo_linux64\n", {"csgo_linux64", "csgo.exe"}},
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
    // Up for 1000 s; a process's start in clock ticks since boot (0 unless told).
    fs::create_directories(root);
    std::ofstream(root / "uptime") << "1000.00 1990.00\n";
    auto process = [&](const char* id, const std::string& cmdline, const std::string& comm, long startSeconds = 0) {
        fs::create_directories(root / id);
        std::ofstream(root / id / "cmdline", std::ios::binary) << cmdline;
        std::ofstream(root / id / "comm", std::ios::binary) << comm;
        std::ofstream(root / id / "stat") << id << " (x) S 1 1 1 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 "
                                          << startSeconds * ::sysconf(_SC_CLK_TCK) << " 0\n";
    };
    process("1", "/sbin/init\0splash\0"s, "systemd\n");
    process("4242", "Z:\\games\\hl.exe\0-game\0"s, "hl.exe\n");
    process("77", ""s, "kthreadd\n");
    fs::create_directories(root / "self");  // not a process id
    fs::create_directories(root / "sys");
    ProcProcesses processes(root.string());
    std::vector<std::string> items = Lines(processes.ListProcesses());
    std::sort(items.begin(), items.end());
    EXPECT_EQ(items, (std::vector<std::string>{"hl.exe:  4242", "init:  1", "kthreadd:  77", "systemd:  1"}));
    // A launcher that execs the game under its own id, soon after its start, is seen as the game.
    process("500", "/bin/sh\0launch.sh\0"s, "sh\n", 999);
    processes.ListProcesses();
    process("500", "C:\\Games\\cs.exe\0"s, "cs.exe\n");
    items = Lines(processes.ListProcesses());
    EXPECT_NE(std::find(items.begin(), items.end(), "cs.exe:  500"), items.end());
    // During its first minute an exec is seen at the next look, however late it comes.
    for (std::uint64_t look = 0; look < ProcProcesses::kSettlingLooks + 5; ++look) processes.ListProcesses();
    process("500", "quake3.exe\0"s, "quake3.exe\n", 999);  // an exec: the kernel's name changes too
    items = Lines(processes.ListProcesses());
    EXPECT_NE(std::find(items.begin(), items.end(), "quake3.exe:  500"), items.end());
    // An older one: a change is seen within the re-check period.
    process("1", "/games/hl_linux\0"s, "hl_linux\n");
    bool seen = false;
    for (std::uint64_t look = 0; look < ProcProcesses::kRecheckEvery && !seen; ++look) {
        items = Lines(processes.ListProcesses());
        seen = std::find(items.begin(), items.end(), "hl.exe:  1") != items.end();
    }
    EXPECT_TRUE(seen);
    fs::remove_all(root);
    EXPECT_TRUE(ProcProcesses(root.string()).ListProcesses().empty());  // no /proc: nothing runs

    // The real one lists this test, by its file name and by the kernel's 15 bytes of it.
    const std::vector<std::string> live = Lines(ProcProcesses().ListProcesses());
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
    std::ofstream(root / "lumeq.ini", std::ios::binary) << std::string(kMaxSettingsBytes + 1, 'x');
    EXPECT_EQ(settings.Read().result, SettingsMemory::ReadResult::Failed);
    fs::remove_all(root);
}

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

TEST(ProcessStat, StateAndStartTimeWhateverTheName) {
    // A name with blanks and parentheses does not shift the fields.
    const auto stat = ParseProcessStat("77 (a) b) Z 1 77 77 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 123456 0 0\n");
    ASSERT_TRUE(stat);
    EXPECT_EQ(stat->state, 'Z');
    EXPECT_EQ(stat->startTicks, 123456u);
    EXPECT_FALSE(ParseProcessStat("77 (a) S 1 2 3"));
    EXPECT_FALSE(ParseProcessStat("no parenthesis"));

    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("lumeq-proc-" + std::to_string(::getpid()));
    fs::create_directories(root / "77");
    std::ofstream(root / "77" / "stat") << "77 (game) Z 1 77 77 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 123456 0 0\n";
    EXPECT_FALSE(IsRunRunning(77, 123456, root.string())) << "a zombie has ended";
    std::ofstream(root / "77" / "stat") << "77 (game) S 1 77 77 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 123456 0 0\n";
    EXPECT_TRUE(IsRunRunning(77, 123456, root.string()));
    EXPECT_FALSE(IsRunRunning(77, 123457, root.string())) << "an id used again";
    fs::remove_all(root);
}

// Files in the places of ours that are none: nothing hangs, nothing is written over.
TEST(PosixFiles, HostileFileTypesArePassedOverAndNeverWrittenOver) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("lumeq-hostile-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "folder.ini");
    ASSERT_EQ(::mkfifo((root / "fifo.ini").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", root / "zero.ini");
    for (const char* name : {"folder.ini", "fifo.ini", "zero.ini"}) {
        SCOPED_TRACE(name);
        PosixSettingsFile settings((root / name).string());
        EXPECT_EQ(settings.Read().result, SettingsMemory::ReadResult::Failed);  // at once, a FIFO too
        EXPECT_FALSE(settings.Write("NO ELIMINAR\r\n"));
        FileRecordStorage record((root / name).string());
        EXPECT_EQ(record.Load(), std::optional<std::vector<std::uint8_t>>(std::vector<std::uint8_t>()));
        record.Remove();
        // A record kept as a link goes as the link, never what it names.
        EXPECT_EQ(fs::exists(fs::symlink_status(root / name)), std::string(name) != "zero.ini");
        EXPECT_EQ(FileLevelStore((root / name).string()).Read(), std::nullopt);
    }
    EXPECT_TRUE(fs::is_fifo(root / "fifo.ini"));
    fs::remove_all(root);
}

TEST(PosixFiles, ReplacingNeverFollowsAPlantedTemporaryAndWritesThroughALink) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("lumeq-replace-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "dotfiles");
    std::ofstream(root / "canary") << "keep me";
    fs::create_symlink(root / "canary", root / "lumeq.ini~");  // the fixed temporary of old
    PosixSettingsFile settings((root / "lumeq.ini").string());
    EXPECT_TRUE(settings.Write("NO ELIMINAR\r\n7\r\n"));
    std::ifstream canary(root / "canary");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(canary), {}), "keep me");
    EXPECT_EQ(settings.Read().text, "NO ELIMINAR\r\n7\r\n");

    // A link kept by a dotfile manager stays a link; its target gets the text and keeps its mode.
    std::ofstream(root / "dotfiles" / "lumeq.ini") << "old";
    fs::permissions(root / "dotfiles" / "lumeq.ini", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("dotfiles/lumeq.ini", root / "linked.ini");
    PosixSettingsFile linked((root / "linked.ini").string());
    EXPECT_TRUE(linked.Write("new"));
    EXPECT_TRUE(fs::is_symlink(root / "linked.ini"));
    std::ifstream target(root / "dotfiles" / "lumeq.ini");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(target), {}), "new");
    EXPECT_EQ(fs::status(root / "dotfiles" / "lumeq.ini").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    std::size_t leftovers = 0;
    for (const auto& folder : {root, root / "dotfiles"})
        for (const auto& entry : fs::directory_iterator(folder)) leftovers += entry.path().filename().string()[0] == '.';
    EXPECT_EQ(leftovers, 0u) << "no temporary left behind";
    fs::remove_all(root);
}

TEST(PosixFiles, TheWindowsEditionsFileKeepsItsLettersBothWays) {
    namespace fs = std::filesystem;
    const fs::path path = fs::temp_directory_path() / ("lumeq-cp1252-" + std::to_string(::getpid()) + ".ini");
    const std::string windows = "NO ELIMINAR\r\n0\r\nTrue\r\nCa\xF1on.exe\r\n\r\n\r\n\r\n//End\r\n";
    std::ofstream(path, std::ios::binary) << windows;
    PosixSettingsFile settings(path.string());
    const auto read = settings.Read();
    EXPECT_NE(read.text.find("Cañon.exe"), std::string::npos);
    EXPECT_TRUE(settings.Write(read.text));
    std::ifstream back(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(back), {}), windows) << "written back as it was read";
    fs::remove(path);
}

TEST(PosixLocks, ARuntimeFolderCountsOnlyWhenItIsPrivate) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("lumeq-runtime-" + std::to_string(::getpid()));
    fs::create_directories(root);
    fs::permissions(root, fs::perms::owner_all);
    EXPECT_EQ(PrivateRuntimeFolder(root.c_str()), std::optional<std::string>(root.string()));
    fs::permissions(root, fs::perms::owner_all | fs::perms::others_exec);
    EXPECT_EQ(PrivateRuntimeFolder(root.c_str()), std::nullopt);
    EXPECT_EQ(PrivateRuntimeFolder("relative/run"), std::nullopt);
    EXPECT_EQ(PrivateRuntimeFolder(nullptr), std::nullopt);

    const SingleInstanceLock first((root / "a.lock").string());
    const SingleInstanceLock second((root / "a.lock").string());
    EXPECT_EQ(first.Outcome(), SingleInstanceLock::State::Taken);
    EXPECT_EQ(second.Outcome(), SingleInstanceLock::State::Held);
    fs::create_directories(root / "b.lock");  // a folder where the lock should be
    const SingleInstanceLock failed((root / "b.lock").string());
    EXPECT_EQ(failed.Outcome(), SingleInstanceLock::State::Failed);
    EXPECT_NE(failed.Failure().find("b.lock"), std::string::npos);
    fs::remove_all(root);
}

TEST(RecordFile, OneForEachMachineAndDisplay) {
    EXPECT_EQ(DisplayIdentity(":0.0", false), ":0");
    EXPECT_EQ(DisplayIdentity("localhost:10.0", false), "localhost:10");
    EXPECT_EQ(DisplayIdentity("host.example.org:1", false), "host.example.org:1");
    EXPECT_EQ(DisplayIdentity(":0", true), ":0/wayland");
    EXPECT_EQ(DisplayIdentity("", false), "");
    EXPECT_EQ(RecordFileName("gamebox", ":0"), "captured-ramps@gamebox_0");
    EXPECT_EQ(RecordFileName("a/b", ":0/wayland"), "captured-ramps@a_b_0_wayland");
    EXPECT_EQ(ColonRecordFileName("gamebox", ":0"), "captured-ramps@gamebox:0");
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

// The table of display backends: only the session's own rows are opened, in order, and the
// record is kept only where the server keeps our tables after we are gone.
TEST(DisplayBackends, ASessionOpensOnlyItsOwnRowsAndRecordsOnlyWhereTheServerKeepsOurTable) {
    testing::FakeDisplay wlr, mutter, randr;
    std::vector<std::string> opened;
    const auto row = [&](std::string name, SessionKind session, bool restores, DisplayRamp* displays) {
        return DisplayBackend{name, session, true, true, restores, [&opened, name, displays]() -> DisplayRamp* {
                                  opened.push_back(name);
                                  return displays;
                              }};
    };
    std::vector<DisplayBackend> table{row("randr", SessionKind::X11, false, &randr),
                                      row("wlr", SessionKind::Wayland, true, nullptr),
                                      row("mutter", SessionKind::Wayland, false, &mutter)};

    const ChosenBackend gnome = ChooseBackend(table, SessionKind::Wayland);
    EXPECT_EQ(opened, (std::vector<std::string>{"wlr", "mutter"}));  // never X11 gamma under Wayland
    EXPECT_EQ(gnome.displays, &mutter);
    EXPECT_TRUE(gnome.NeedsRecord());
    EXPECT_NE(gnome.log.find("mutter"), std::string::npos);

    table[1] = row("wlr", SessionKind::Wayland, true, &wlr);
    opened.clear();
    const ChosenBackend sway = ChooseBackend(table, SessionKind::Wayland);
    EXPECT_EQ(opened, std::vector<std::string>{"wlr"});
    EXPECT_FALSE(sway.NeedsRecord());

    table.resize(1);
    const ChosenBackend kde = ChooseBackend(table, SessionKind::Wayland);
    EXPECT_EQ(kde.displays, nullptr);
    EXPECT_FALSE(kde.NeedsRecord());
}

}  // namespace
}  // namespace lumeq
