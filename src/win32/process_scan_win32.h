#pragma once
#include <functional>
#include <vector>

#include "autoactivation/auto_activation.h"

namespace lumeq {

// The running processes, in the system's order. `letThrough` (the window's waiting messages)
// runs once the list is built (and every few milliseconds while a slow toolhelp snapshot
// builds it).
std::vector<ProcessEntry> ListProcessesFromSnapshot(const std::function<void()>& letThrough);

}  // namespace lumeq
