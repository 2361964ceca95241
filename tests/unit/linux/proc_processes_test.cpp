// The Linux process list, from a /proc tree of our own and from the real one.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "autoactivation/auto_activation.h"
#include "linux/posix/proc_processes_posix.h"

namespace lumeq {
namespace {

using namespace std::string_literals;

// Each process as "name:  id", as a list box would show it.
std::vector<std::string> Lines(const std::vector<ProcessEntry>& processes) {
    std::vector<std::string> lines;
    for (const ProcessEntry& process : processes) lines.push_back(process.name + ":  " + std::to_string(process.id));
    return lines;
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

}  // namespace
}  // namespace lumeq
