#pragma once
#include <functional>
#include <string>

namespace lumeq {

// funListarProcesos: one snapshot of the running processes as the watcher's scan text.
// `afterEachProcess` runs after every process (the window stays responsive).
std::string ListProcessesFromSnapshot(const std::function<void()>& afterEachProcess);

}  // namespace lumeq
