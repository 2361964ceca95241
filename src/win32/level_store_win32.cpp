#include "win32/level_store_win32.h"

#include <windows.h>

#include "win32/text_win32.h"
#include "win32/unique_handle_win32.h"

namespace lumeq {

namespace {
constexpr wchar_t kKeyPath[] = L"Software\\lumeq\\gamma\\GammaConfig";
constexpr wchar_t kValueName[] = L"Settings";
// A level is a few digits; anything much longer is not a level and is not read whole.
constexpr DWORD kMaxValueBytes = 256;
}  // namespace

std::optional<std::string> RegistryLevelStore::Read() {
    UniqueRegKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, KEY_QUERY_VALUE, key.Put()) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(key.Get(), kValueName, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    // A value of another type, or one far too long to be a level, counts as absent.
    if (type != REG_SZ || bytes > kMaxValueBytes) return std::nullopt;
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key.Get(), kValueName, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) !=
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
    RegSetValueExW(key.Get(), kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                   static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
}

}  // namespace lumeq
