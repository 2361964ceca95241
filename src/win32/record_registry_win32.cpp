#include "win32/record_registry_win32.h"

#include <windows.h>

#include "win32/unique_handle_win32.h"

namespace lumeq {

namespace {
constexpr wchar_t kKeyPath[] = L"Software\\lumeq\\gamma\\GammaConfig";
constexpr wchar_t kValueName[] = L"CapturedRamps";
// A record for 64 displays of 4096 entries is about 3 MB; anything larger is not ours.
constexpr DWORD kMaxRecordBytes = 4u * 1024u * 1024u;

std::uint64_t StartTimeOf(HANDLE process) {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
    return (static_cast<std::uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}
}  // namespace

RunIdentity ThisRun() {
    RunIdentity run;
    run.processId = GetCurrentProcessId();
    run.processStart = StartTimeOf(GetCurrentProcess());
    return run;
}

bool IsRunRunning(std::uint32_t processId, std::uint64_t processStart) {
    UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return false;
    DWORD exitCode = 0;
    if (GetExitCodeProcess(process.Get(), &exitCode) && exitCode != STILL_ACTIVE) return false;
    return StartTimeOf(process.Get()) == processStart;
}

std::optional<std::vector<std::uint8_t>> RegistryRecordStorage::Load() {
    UniqueRegKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, KEY_QUERY_VALUE, key.Put()) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.Get(), kValueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    if (type != REG_BINARY || size > kMaxRecordBytes) return bytes;  // present, but not a record
    bytes.resize(size);
    if (RegQueryValueExW(key.Get(), kValueName, nullptr, &type, bytes.data(), &size) != ERROR_SUCCESS) bytes.clear();
    bytes.resize(size);
    return bytes;
}

bool RegistryRecordStorage::Save(const std::vector<std::uint8_t>& bytes) {
    UniqueRegKey key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Put(), nullptr) !=
        ERROR_SUCCESS)
        return false;
    if (RegSetValueExW(key.Get(), kValueName, 0, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size())) !=
        ERROR_SUCCESS)
        return false;
    return RegFlushKey(key.Get()) == ERROR_SUCCESS;
}

void RegistryRecordStorage::Remove() {
    UniqueRegKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, KEY_SET_VALUE, key.Put()) == ERROR_SUCCESS)
        RegDeleteValueW(key.Get(), kValueName);
}

}  // namespace lumeq
