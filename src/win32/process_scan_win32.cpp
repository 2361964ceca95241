#include "win32/process_scan_win32.h"

#include <windows.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "autoactivation/auto_activation.h"
#include "win32/text_win32.h"
#include "win32/unique_handle_win32.h"

namespace lumeq {

namespace {
constexpr ULONG kSystemProcessInformation = 5;
constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);

// One call for the whole list: a toolhelp snapshot costs Wine's server several times as
// much (it makes a section and copies the list into it), once a second for as long as the
// game runs. Nothing when the call is not there or fails.
std::optional<std::vector<ProcessEntry>> ListFromSystem() {
    using Query = LONG(NTAPI*)(ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return std::nullopt;
    std::vector<std::uint8_t> buffer(256 * 1024);
    LONG status = 0;
    for (int attempt = 0; attempt < 4; ++attempt) {
        ULONG needed = 0;
        status = query(kSystemProcessInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status != kInfoLengthMismatch) break;
        buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 64 * 1024));
    }
    if (status < 0) return std::nullopt;
    std::vector<ProcessEntry> processes;
    for (std::size_t offset = 0;;) {
        const auto* info = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(buffer.data() + offset);
        const std::wstring_view name(info->ImageName.Buffer ? info->ImageName.Buffer : L"",
                                     info->ImageName.Length / sizeof(wchar_t));
        // The creation time, 32 bytes in (after the offset, the thread count, the private
        // working set, the hard faults, the thread high-water mark and the cycle time): the
        // SDKs' headers do not agree on a name for it.
        LARGE_INTEGER created{};
        std::memcpy(&created, reinterpret_cast<const std::uint8_t*>(info) + 32, sizeof(created));
        // The idle process has no name; toolhelp calls it so.
        processes.push_back({name.empty() ? std::string("[System Process]") : Narrow(name),
                             static_cast<std::uint32_t>(reinterpret_cast<ULONG_PTR>(info->UniqueProcessId)),
                             static_cast<std::uint64_t>(created.QuadPart)});
        if (info->NextEntryOffset == 0) break;
        offset += info->NextEntryOffset;
    }
    return processes;
}

std::vector<ProcessEntry> ListFromSnapshot(const std::function<void()>& letThrough) {
    // Only the process list is needed; a snapshot of heaps and modules too would cost
    // far more once a second for nothing.
    std::vector<ProcessEntry> processes;
    UniqueSnapshot snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return processes;
    PROCESSENTRY32W record{};
    record.dwSize = sizeof(record);
    // The window stays responsive while the list is built: what waits is let through
    // every few milliseconds, not after each of hundreds of processes.
    constexpr ULONGLONG kLetThroughEveryMs = 8;
    ULONGLONG lastLetThrough = GetTickCount64();
    for (BOOL more = Process32FirstW(snapshot.Get(), &record); more;) {
        record.szExeFile[MAX_PATH - 1] = L'\0';
        processes.push_back({Narrow(record.szExeFile), record.th32ProcessID});
        more = Process32NextW(snapshot.Get(), &record);
        if (letThrough && GetTickCount64() - lastLetThrough >= kLetThroughEveryMs) {
            letThrough();
            lastLetThrough = GetTickCount64();
        }
    }
    return processes;
}
}  // namespace

std::vector<ProcessEntry> ListProcessesFromSnapshot(const std::function<void()>& letThrough) {
    std::optional<std::vector<ProcessEntry>> processes = ListFromSystem();
    if (!processes) processes = ListFromSnapshot(letThrough);
    // What waited while the list was built runs now, as after each process of old.
    if (letThrough) letThrough();
    return std::move(*processes);
}

}  // namespace lumeq
