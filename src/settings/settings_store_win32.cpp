#include "settings/settings_store_win32.h"

#include <windows.h>

#include "platform/unique_handle.h"

namespace lumeq {

namespace {
// A real settings file is a few hundred bytes; reading stops well before anything
// could exhaust memory.
constexpr DWORD kMaxReadBytes = 64u * 1024u * 1024u;

std::string AnsiToUtf8(const std::string& ansi) {
    if (ansi.empty()) return {};
    const int wide = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), text.data(), wide);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, out.data(), bytes, nullptr, nullptr);
    return out;
}

std::string Utf8ToAnsi(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int wide = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), wide);
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), wide, out.data(), bytes, nullptr, nullptr);
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

std::optional<std::string> SettingsStore::Read() const {
    UniqueFile file(CreateFileW(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::string content;
    char buffer[64 * 1024];
    DWORD got = 0;
    while (content.size() < kMaxReadBytes && ReadFile(file.Get(), buffer, sizeof(buffer), &got, nullptr) && got > 0)
        content.append(buffer, got);
    return AnsiToUtf8(content);
}

bool SettingsStore::Write(const std::string& utf8Content) const {
    const std::wstring temporary = m_path + L".tmp";
    const std::string ansi = Utf8ToAnsi(utf8Content);
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
