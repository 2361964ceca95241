#pragma once
// The process list of a Linux system, read from /proc, as the watcher's scan text: one
// entry for each name a process answers to (see ProcessNames), with its id.
#include <string>

#include "autoactivation/process_watcher.h"

namespace lumeq {

class ProcProcesses : public ProcessList {
public:
    explicit ProcProcesses(std::string procRoot = "/proc") : m_root(std::move(procRoot)) {}
    // Processes that end while the list is read are simply not in it.
    std::string ListProcesses() override;

private:
    std::string m_root;
};

}  // namespace lumeq
