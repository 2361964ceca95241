#pragma once
// The settings file beside the program: read whole, written whole and replaced in
// one step. Text is kept as UTF-8 in the program and as the ANSI code page in the file.
#include <optional>
#include <string>

namespace lumeq {

std::wstring ProgramFolder();  // without a trailing backslash

class SettingsStore {
public:
    explicit SettingsStore(std::wstring path) : m_path(std::move(path)) {}
    // The file's content converted to UTF-8, or nothing when it cannot be read.
    std::optional<std::string> Read() const;
    // Writes beside the file and then replaces it: a failed write leaves the old file.
    bool Write(const std::string& utf8Content) const;

private:
    std::wstring m_path;
};

}  // namespace lumeq
