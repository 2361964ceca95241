#include "win32/registry_stores_win32.h"

#include <windows.h>

#include "win32/text_win32.h"
#include "win32/unique_handle_win32.h"

namespace lumeq {

namespace {
constexpr wchar_t kKeyPath[] = L"Software\\lumeq\\gamma\\GammaConfig";
constexpr wchar_t kRecordValueName[] = L"CapturedRamps";
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
    if (RegQueryValueExW(key.Get(), kRecordValueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    if (type != REG_BINARY || size > kMaxRecordBytes) return bytes;  // present, but not a record
    bytes.resize(size);
    if (RegQueryValueExW(key.Get(), kRecordValueName, nullptr, &type, bytes.data(), &size) != ERROR_SUCCESS) bytes.clear();
    bytes.resize(size);
    return bytes;
}

bool RegistryRecordStorage::Save(const std::vector<std::uint8_t>& bytes) {
    UniqueRegKey key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Put(), nullptr) !=
        ERROR_SUCCESS)
        return false;
    if (RegSetValueExW(key.Get(), kRecordValueName, 0, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size())) !=
        ERROR_SUCCESS)
        return false;
    return RegFlushKey(key.Get()) == ERROR_SUCCESS;
}

void RegistryRecordStorage::Remove() {
    UniqueRegKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, KEY_SET_VALUE, key.Put()) == ERROR_SUCCESS)
        RegDeleteValueW(key.Get(), kRecordValueName);
}

namespace {
constexpr wchar_t kLevelValueName[] = L"Settings";
// A level is a few digits; anything much longer is not a level and is not read whole.
constexpr DWORD kMaxValueBytes = 256;
}  // namespace

std::optional<std::string> RegistryLevelStore::Read() {
    UniqueRegKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, KEY_QUERY_VALUE, key.Put()) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(key.Get(), kLevelValueName, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    // A value of another type, or one far too long to be a level, counts as absent.
    if (type != REG_SZ || bytes > kMaxValueBytes) return std::nullopt;
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key.Get(), kLevelValueName, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    text.resize(wcsnlen(text.c_str(), size / sizeof(wchar_t)));
    return Narrow(text);
}

void RegistryLevelStore::Write(std::string_view text) {
    UniqueRegKey key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Put(), nullptr) !=
        ERROR_SUCCESS)
        return;  // nothing to do about it: the level is simply not kept this time
    const std::wstring wide = Widen(text);
    RegSetValueExW(key.Get(), kLevelValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                   static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
}

}  // namespace lumeq
