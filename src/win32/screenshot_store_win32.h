#pragma once
// The Screenshots folder beside the program, and the screen it copies into it.
#include <windows.h>

#include <string>

#include "win32/screen_capture_win32.h"
#include "screenshots/screenshot_ports.h"

namespace lumeq {

class Win32ScreenshotStore : public ScreenshotStore {
public:
    Win32ScreenshotStore(std::wstring folder, HWND clipboardOwner)
        : m_folder(std::move(folder)), m_clipboardOwner(clipboardOwner) {}
    void SetClipboardOwner(HWND owner) { m_clipboardOwner = owner; }
    const std::wstring& Folder() const { return m_folder; }

    std::optional<std::vector<std::uint8_t>> Capture() override;
    CreateResult CreateNew(const std::string& fileName, const std::vector<std::uint8_t>& bytes) override;
    std::pair<std::int64_t, std::uint64_t> Count() override;
    std::vector<std::string> Names() override;

    // The clipboard's requests for the last screenshot, and the program's end.
    ClipboardShot& Clipboard() { return m_clipboard; }

private:
    std::wstring m_folder;  // without a trailing backslash
    HWND m_clipboardOwner;
    ClipboardShot m_clipboard;
};

}  // namespace lumeq
