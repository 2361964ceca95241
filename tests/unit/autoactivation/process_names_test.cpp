// What a Linux process is called, and its /proc stat line.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "autoactivation/process_names.h"
#include "linux/posix/state_files_posix.h"

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

}  // namespace
}  // namespace lumeq
