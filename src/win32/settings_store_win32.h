#pragma once
// The settings file beside the program: read whole, written whole and replaced in
// one step. Text is kept as UTF-8 in the program and as the ANSI code page in the file.
#include <string>

#include "settings/settings_file.h"

namespace lumeq {

std::wstring ProgramFolder();  // without a trailing backslash

class SettingsStore : public SettingsFileStore {
public:
    explicit SettingsStore(std::wstring path) : m_path(std::move(path)) {}
    // The whole file converted to UTF-8. A file that cannot be opened (but exists), that
    // is larger than any settings file, or whose reading fails part-way is a failed read.
    Content Read() override;
    // Writes beside the file and then replaces it: a failed write leaves the old file.
    bool Write(const std::string& utf8Content) override;

private:
    std::wstring m_path;
};

}  // namespace lumeq
