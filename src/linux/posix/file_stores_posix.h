#pragma once
// The settings file and the screenshots folder of the Linux edition, on a POSIX file
// system: the file is read whole (at most 64 KiB) and replaced in one step through a
// temporary beside it; a screenshot file is made only where none exists.
#include <functional>
#include <string>

#include "screenshots/screenshot_ports.h"
#include "settings/settings_file.h"

namespace lumeq {

// Makes a folder and its parents; what exists already is fine.
void MakeFolders(const std::string& path);
// Replaces a file in one step: a temporary of its own made beside it, flushed, then
// renamed over it, keeping the file's mode. A link is written through to its target; a
// folder, FIFO or device in the file's place is never written over (false).
bool ReplaceFile(const std::string& path, const std::uint8_t* data, std::size_t size);

// A small regular file read whole, never waiting; Failed when it cannot be read, is no
// regular file or holds more than `maxBytes`.
struct WholeFile {
    enum class Outcome { Read, Missing, Failed } outcome = Outcome::Failed;
    std::string bytes;
};
WholeFile ReadWholeFile(const std::string& path, std::size_t maxBytes);

// lumeq.ini in UTF-8, the line format of the Windows edition; a file the Windows edition
// wrote (code page 1252) is read as such and written back so.
class PosixSettingsFile : public SettingsFileStore {
public:
    explicit PosixSettingsFile(std::string path) : m_path(std::move(path)) {}
    Content Read() override;
    bool Write(const std::string& utf8Content) override;

private:
    std::string m_path;
    bool m_cp1252 = false;
};

class PosixScreenshotFolder : public ScreenshotStore {
public:
    using Capturer = std::function<std::optional<std::vector<std::uint8_t>>()>;
    // `capture` gives the screen as a JPEG file's bytes (the shell's own business).
    PosixScreenshotFolder(std::string folder, Capturer capture)
        : m_folder(std::move(folder)), m_capture(std::move(capture)) {}
    std::optional<std::vector<std::uint8_t>> Capture() override { return m_capture ? m_capture() : std::nullopt; }
    CreateResult CreateNew(const std::string& fileName, const std::vector<std::uint8_t>& bytes) override;
    // "*.jpg" in any case, in the folder and below, as the Windows edition counts them.
    std::pair<std::int64_t, std::uint64_t> Count() override;
    std::vector<std::string> Names() override;

private:
    std::string m_folder;
    Capturer m_capture;
};

}  // namespace lumeq
