#pragma once
// The process list of a Linux system, read from /proc, as the watcher's scan text: one
// entry for each name a process answers to (see ProcessNames), with its id.
//
// Reading two files of every process every second would cost more than the rest of the
// program together, so a process's names are read when it first shows and again at each
// look during its first few; after that the kernel's name (cheap to read, and changed by
// an exec) says whether the first argument needs reading again. It is looked at every
// second while a process is less than a minute old (a launcher may exec the game under
// the same id at any time then; its start time is read once) and at every 30th look
// afterwards.
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "autoactivation/auto_activation.h"

namespace lumeq {

class ProcProcesses : public ProcessList {
public:
    explicit ProcProcesses(std::string procRoot = "/proc") : m_root(std::move(procRoot)) {}
    // Processes that end while the list is read are simply not in it.
    std::vector<ProcessEntry> ListProcesses() override;

    static constexpr std::uint64_t kSettlingLooks = 5;
    static constexpr std::uint64_t kYoungSeconds = 60;
    static constexpr std::uint64_t kRecheckEvery = 30;

private:
    struct Known {
        std::vector<std::string> names;
        std::string comm;
        std::uint64_t firstSeen = 0;
        std::uint64_t seen = 0;
        std::optional<std::uint64_t> startTicks;  // since boot, when its stat could be read
    };
    std::string m_root;
    std::unordered_map<std::uint32_t, Known> m_known;
    std::uint64_t m_look = 0;
};

}  // namespace lumeq
