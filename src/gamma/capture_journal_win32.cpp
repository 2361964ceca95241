#include "gamma/capture_journal_win32.h"

#include <windows.h>

#include "gamma/recovery_record.h"
#include "platform/unique_handle_win32.h"

namespace lumeq {

namespace {
constexpr wchar_t kKeyPath[] = L"Software\\lumeq\\gamma\\GammaConfig";
constexpr wchar_t kValueName[] = L"CapturedRamps";
// A record for 64 displays is about 100 KB; anything larger is not ours.
constexpr DWORD kMaxRecordBytes = 256u * 1024u;

std::uint64_t StartTimeOf(HANDLE process) {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
    return (static_cast<std::uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

bool IsRunning(const RecoveryRecord& record) {
    UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, record.processId));
    if (!process) return false;
    DWORD exitCode = 0;
    if (GetExitCodeProcess(process.Get(), &exitCode) && exitCode != STILL_ACTIVE) return false;
    return StartTimeOf(process.Get()) == record.processStart;
}

// The stored bytes, or nothing when there is no record.
std::optional<std::vector<std::uint8_t>> ReadRecordBytes() {
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

void DeleteRecord() {
    UniqueRegKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, KEY_SET_VALUE, key.Put()) == ERROR_SUCCESS)
        RegDeleteValueW(key.Get(), kValueName);
}

}  // namespace

void RegistryCaptureJournal::Record(const CapturedDisplays& captured) {
    RecoveryRecord record;
    record.processId = GetCurrentProcessId();
    record.processStart = StartTimeOf(GetCurrentProcess());
    record.displays = captured;
    const std::vector<std::uint8_t> bytes = SerializeRecovery(record);
    UniqueRegKey key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Put(), nullptr) !=
        ERROR_SUCCESS)
        return;  // the boost still works; only a crash could not be undone
    RegSetValueExW(key.Get(), kValueName, 0, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
    RegFlushKey(key.Get());
}

void RegistryCaptureJournal::Clear() { DeleteRecord(); }

bool RecoverDisplaysAfterCrash(DisplayRamp& displays) {
    const auto bytes = ReadRecordBytes();
    const auto record = bytes ? ParseRecovery(*bytes) : std::nullopt;
    switch (DecideRecovery(bytes.has_value(), record, record && IsRunning(*record))) {
        case RecoveryAction::RestoreAndDelete:
            // A display that refused its ramp keeps the record for the next start.
            if (!PutBackCaptured(displays, record->displays)) return false;
            DeleteRecord();
            break;
        case RecoveryAction::Delete:
            DeleteRecord();
            break;
        case RecoveryAction::LeaveIt:
        case RecoveryAction::None:
            break;
    }
    return true;
}

void RestoreOwnRecord(DisplayRamp& displays) {
    const auto bytes = ReadRecordBytes();
    const auto record = bytes ? ParseRecovery(*bytes) : std::nullopt;
    if (!record || record->processId != GetCurrentProcessId()) return;
    if (PutBackCaptured(displays, record->displays)) DeleteRecord();
}

}  // namespace lumeq
