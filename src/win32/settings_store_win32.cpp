#include "win32/settings_store_win32.h"

#include <windows.h>

#include "win32/unique_handle_win32.h"

namespace lumeq {

namespace {

// Text from one code page to another, through UTF-16. The file holds the ANSI code
// page; the program keeps UTF-8.
std::string Recode(const std::string& text, UINT from, UINT to) {
    if (text.empty()) return {};
    const int wide = MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring utf16(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), utf16.data(), wide);
    const int bytes = WideCharToMultiByte(to, 0, utf16.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(to, 0, utf16.data(), wide, out.data(), bytes, nullptr, nullptr);
    return out;
}
}  // namespace

std::wstring ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return L".";
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    path.resize(path.find_last_of(L"\\/"));
    return path;
}

namespace {
// A file on a disk and not a folder: a pipe, a device or a folder in the file's place is
// no settings file (reading a pipe would hold the program).
bool IsPlainFile(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    return GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info) &&
           (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Where a write to `path` goes: a link (a dotfile manager's) is written through to the
// file it names.
std::wstring WriteTarget(const std::wstring& path) {
    UniqueFile file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) return path;
    std::wstring target(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(file.Get(), target.data(), static_cast<DWORD>(target.size()), 0);
    if (length >= target.size()) {
        target.resize(length + 1);
        length = GetFinalPathNameByHandleW(file.Get(), target.data(), static_cast<DWORD>(target.size()), 0);
    }
    if (length == 0 || length >= target.size()) return path;
    target.resize(length);
    if (target.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\\\" + target.substr(8);
    if (target.rfind(L"\\\\?\\", 0) == 0) return target.substr(4);
    return target;
}
}  // namespace

SettingsStore::Content SettingsStore::Read() {
    using Result = SettingsMemory::ReadResult;
    UniqueFile file(CreateFileW(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return {missing ? Result::Missing : Result::Failed, {}};
    }
    if (!IsPlainFile(file.Get())) return {Result::Failed, {}};
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > kMaxSettingsBytes)
        return {Result::Failed, {}};
    std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    if (!content.empty() && (!ReadFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &got, nullptr) ||
                             got != content.size()))
        return {Result::Failed, {}};
    return {Result::Read, Recode(content, CP_ACP, CP_UTF8)};
}

namespace {
// An antivirus or the indexer holding the file (or its temporary) for a moment: the write
// is tried again for up to a second before it counts as failed.
constexpr DWORD kRetryForMs = 1000;
constexpr DWORD kRetryEveryMs = 50;

bool IsMomentary(DWORD error) { return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION; }

// Runs `attempt` until it succeeds, fails for good, or a second of momentary failures passed.
template <typename Attempt>
bool WithRetries(Attempt attempt) {
    const ULONGLONG until = GetTickCount64() + kRetryForMs;
    for (;;) {
        if (attempt()) return true;
        if (!IsMomentary(GetLastError()) || GetTickCount64() >= until) return false;
        Sleep(kRetryEveryMs);
    }
}
}  // namespace

bool SettingsStore::Write(const std::string& utf8Content) {
    const std::wstring target = WriteTarget(m_path);
    {
        // Never over a folder, a pipe or a device in the file's place.
        UniqueFile existing(CreateFileW(target.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        if (existing && !IsPlainFile(existing.Get())) return false;
    }
    const std::string ansi = Recode(utf8Content, CP_UTF8, CP_ACP);
    // A temporary of a name of its own beside the file, made where none was and never
    // through a link somebody planted, then moved over the file in one step.
    std::wstring temporary;
    UniqueFile file;
    for (unsigned attempt = 0; attempt < 16 && !file; ++attempt) {
        temporary = target + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
                    std::to_wstring(GetTickCount() + attempt) + L".tmp";
        WithRetries([&] {
            file.Reset(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
            return static_cast<bool>(file);
        });
        if (!file && GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    }
    if (!file) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file.Get(), ansi.data(), static_cast<DWORD>(ansi.size()), &written, nullptr) &&
                    written == ansi.size() && FlushFileBuffers(file.Get());
    file.Reset();
    if (!ok || !WithRetries([&] {
            return MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
                   FALSE;
        })) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace lumeq
