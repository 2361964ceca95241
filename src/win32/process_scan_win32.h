#pragma once
#include <functional>
#include <string>

namespace lumeq {

// funListarProcesos: the running processes, in the system's order, as the watcher's scan
// text. `letThrough` (the window's waiting messages) runs once the list is built (and
// every few milliseconds while a slow toolhelp snapshot builds it).
std::string ListProcessesFromSnapshot(const std::function<void()>& letThrough);

}  // namespace lumeq
