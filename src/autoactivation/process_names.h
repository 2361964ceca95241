#pragma once
// What the Linux edition's watcher calls a process, read from /proc: the last part of
// its first argument, split at either slash (Wine and Proton put the Windows path there:
// "Z:\games\hl.exe" gives "hl.exe"), and its `comm` (the kernel's name, at most 15
// bytes). Never the executable link (wine64-preloader for every Windows game) nor the
// rest of the command line (launchers carry the game's path in their arguments).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumeq {

// `cmdline` as /proc/PID/cmdline holds it (arguments ended by NUL), `comm` as
// /proc/PID/comm (ended by a line feed). The names without repeats, the first
// argument's first; none for a kernel thread (no arguments, and no comm given).
// The native build of a Windows game answers to the Windows name too: "hl_linux" (and
// "csgo_linux64") is also "hl.exe" ("csgo.exe"), so that the watched names of the
// settings file find the game whichever build the player runs.
std::vector<std::string> ProcessNames(std::string_view cmdline, std::string_view comm);

// What /proc/PID/stat says of a process: its state ('R', 'S', 'Z' for a zombie ...) and
// when it started, in clock ticks since boot. Nothing when the line is not one.
struct ProcessStat {
    char state = '?';
    std::uint64_t startTicks = 0;
};
std::optional<ProcessStat> ParseProcessStat(std::string_view stat);

}  // namespace lumeq
