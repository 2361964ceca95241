#include "autoactivation/process_scan_win32.h"

#include <windows.h>
#include <tlhelp32.h>

#include "autoactivation/process_watcher.h"
#include "platform/text_win32.h"
#include "platform/unique_handle_win32.h"

namespace lumeq {

std::string ListProcessesFromSnapshot(const std::function<void()>& afterEachProcess) {
    // Only the process list is needed; a snapshot of heaps and modules too would cost
    // far more once a second for nothing.
    UniqueSnapshot snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return {};
    PROCESSENTRY32W record{};
    record.dwSize = sizeof(record);
    std::vector<ProcessEntry> processes;
    BOOL more = Process32FirstW(snapshot.Get(), &record);
    while (more) {
        record.szExeFile[MAX_PATH - 1] = L'\0';
        processes.push_back({Narrow(record.szExeFile), record.th32ProcessID});
        more = Process32NextW(snapshot.Get(), &record);
        if (afterEachProcess) afterEachProcess();
    }
    return ScanText(processes);
}

}  // namespace lumeq
