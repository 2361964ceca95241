#include "settings/settings_store_win32.h"

#include <windows.h>

#include "platform/unique_handle_win32.h"

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

SettingsStore::Content SettingsStore::Read() {
    using Result = SettingsMemory::ReadResult;
    UniqueFile file(CreateFileW(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return {missing ? Result::Missing : Result::Failed, {}};
    }
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

bool SettingsStore::Write(const std::string& utf8Content) {
    // Beside the file and no longer than its name, so that it fits wherever the file does.
    std::wstring temporary = m_path;
    temporary.back() = L'~';
    const std::string ansi = Recode(utf8Content, CP_UTF8, CP_ACP);
    {
        UniqueFile file(
            CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
        DWORD written = 0;
        const bool ok = WriteFile(file.Get(), ansi.data(), static_cast<DWORD>(ansi.size()), &written, nullptr) &&
                        written == ansi.size() && FlushFileBuffers(file.Get());
        if (!ok) {
            file.Reset();
            DeleteFileW(temporary.c_str());
            return false;
        }
    }
    if (!MoveFileExW(temporary.c_str(), m_path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace lumeq
