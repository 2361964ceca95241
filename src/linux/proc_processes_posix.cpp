#include "linux/proc_processes_posix.h"

#include <dirent.h>

#include <cstdio>
#include <vector>

#include "linux/process_names.h"

namespace lumeq {

namespace {
// A /proc file whole; /proc files report no size, so they are read to their end.
std::string ReadSmallFile(const std::string& path) {
    std::string content;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof(buffer), file)) > 0 && content.size() < 65536;)
            content.append(buffer, got);
        std::fclose(file);
    }
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

std::string ProcProcesses::ListProcesses() {
    std::vector<ProcessEntry> processes;
    DIR* folder = opendir(m_root.c_str());
    if (!folder) return {};
    while (const dirent* entry = readdir(folder)) {
        std::uint32_t id = 0;
        if (!IsProcessId(entry->d_name, id)) continue;
        const std::string base = m_root + "/" + entry->d_name;
        for (std::string& name : ProcessNames(ReadSmallFile(base + "/cmdline"), ReadSmallFile(base + "/comm")))
            processes.push_back({std::move(name), id});
    }
    closedir(folder);
    return ScanText(processes);
}

}  // namespace lumeq
