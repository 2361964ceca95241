#include "win32/screenshot_store_win32.h"

#include "win32/text_win32.h"
#include "win32/folder_reader_win32.h"
#include "screenshots/folder_stats.h"
#include "win32/screen_capture_win32.h"

namespace lumeq {

std::optional<std::vector<std::uint8_t>> Win32ScreenshotStore::Capture() {
    // The JPEG encoder runs on COM, which the window's thread has from the start.
    UniqueBitmap screen;
    std::optional<std::vector<std::uint8_t>> jpeg = CaptureScreenAsJpeg(screen);
    if (screen) m_clipboard.Offer(m_clipboardOwner, std::move(screen));
    return jpeg;
}

CreateResult Win32ScreenshotStore::CreateNew(const std::string& fileName, const std::vector<std::uint8_t>& bytes) {
    // The player may have deleted the folder since start-up.
    CreateDirectoryW(m_folder.c_str(), nullptr);
    return WriteNewFile(m_folder + L"\\" + Widen(fileName), bytes);
}

std::pair<std::int64_t, std::uint64_t> Win32ScreenshotStore::Count() {
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    Win32FolderReader reader;
    std::int64_t count = 0;
    const std::uint64_t total = SumFolder(reader, Narrow(m_folder), "*.jpg", count);
    SetCursor(previous ? previous : LoadCursorW(nullptr, IDC_ARROW));
    return {count, total};
}

std::vector<std::string> Win32ScreenshotStore::Names() {
    std::vector<std::string> names;
    Win32FolderReader reader;
    for (const FolderEntry& entry : reader.List(Narrow(m_folder) + "\\")) names.push_back(CutAtNul(entry.name));
    return names;
}

}  // namespace lumeq
