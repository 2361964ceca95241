#include "linux/posix/proc_processes_posix.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "autoactivation/process_names.h"

namespace lumeq {

namespace {
// A /proc file whole (they report no size, so they are read to their end), at most 64 KiB.
std::string ReadSmallFile(int folder, const std::string& path) {
    std::string content;
    const int fd = ::openat(folder, path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return content;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof(buffer));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        content.append(buffer, static_cast<std::size_t>(got));
        if (content.size() >= 65536) break;
    }
    ::close(fd);
    return content;
}

bool IsProcessId(const char* name, std::uint32_t& id) {
    if (*name == '\0') return false;
    std::uint64_t value = 0;
    for (const char* c = name; *c; ++c) {
        if (*c < '0' || *c > '9') return false;
        value = value * 10 + static_cast<std::uint64_t>(*c - '0');
        if (value > 0xFFFFFFFFu) return false;
    }
    id = static_cast<std::uint32_t>(value);
    return true;
}
}  // namespace

std::vector<ProcessEntry> ProcProcesses::ListProcesses() {
    std::vector<ProcessEntry> processes;
    DIR* folder = opendir(m_root.c_str());
    if (!folder) return processes;
    const std::uint64_t look = ++m_look;
    // Now, in the clock ticks process start times are counted in.
    const long ticksPerSecond = ::sysconf(_SC_CLK_TCK);
    const std::uint64_t now = static_cast<std::uint64_t>(
        std::strtod(ReadSmallFile(dirfd(folder), "uptime").c_str(), nullptr) * static_cast<double>(ticksPerSecond));
    while (const dirent* entry = readdir(folder)) {
        std::uint32_t id = 0;
        if (!IsProcessId(entry->d_name, id)) continue;
        auto [known, isNew] = m_known.try_emplace(id);
        Known& process = known->second;
        if (isNew) {
            process.firstSeen = look;
            if (const auto stat = ParseProcessStat(ReadSmallFile(dirfd(folder), std::string(entry->d_name) + "/stat")))
                process.startTicks = stat->startTicks;
        }
        const std::uint64_t age = look - process.firstSeen;
        const bool settling = isNew || age < kSettlingLooks;
        const bool young = process.startTicks && now >= *process.startTicks &&
                           now - *process.startTicks < kYoungSeconds * static_cast<std::uint64_t>(ticksPerSecond);
        if (settling || young || (look + id) % kRecheckEvery == 0) {
            const std::string name = entry->d_name;
            std::string comm = ReadSmallFile(dirfd(folder), name + "/comm");
            if (settling || comm != process.comm) {
                process.names = ProcessNames(ReadSmallFile(dirfd(folder), name + "/cmdline"), comm);
                process.comm = std::move(comm);
            }
        }
        process.seen = look;
        for (const std::string& processName : process.names)
            processes.push_back({processName, id, process.startTicks.value_or(0)});
    }
    closedir(folder);
    // A process that is gone is forgotten; an id used again is a new process.
    std::erase_if(m_known, [look](const auto& item) { return item.second.seen != look; });
    return processes;
}

}  // namespace lumeq
