#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "win32/unique_handle_win32.h"
#include "screenshots/screenshot_numbering.h"

namespace lumeq {

// Copies the whole screen into `screen` and gives it back encoded as a JPEG file
// (Windows Imaging Component, quality 90). Nothing when it could not be copied or encoded.
std::optional<std::vector<std::uint8_t>> CaptureScreenAsJpeg(UniqueBitmap& screen);

// The last screenshot on the clipboard, as Print Screen would leave it. It is offered at
// once and handed over only when a program asks for it: under Wine handing over a whole
// screen costs as much as copying and encoding it.
class ClipboardShot {
public:
    // Offers `bitmap` as CF_BITMAP on behalf of `owner`, which gets WM_RENDERFORMAT.
    void Offer(HWND owner, UniqueBitmap bitmap);
    void Render();                // WM_RENDERFORMAT: the clipboard is open already
    void RenderAll(HWND owner);   // WM_RENDERALLFORMATS, and before the program ends
    void Forget() { m_pending.Reset(); }  // WM_DESTROYCLIPBOARD: another program took it

private:
    UniqueBitmap m_pending;
};

// The whole screen's pixels as 24-bit BGR rows from the top (each padded to four bytes),
// and the JPEG file that holds them; the parts of CaptureScreenAsJpeg.
bool CaptureScreenPixels(std::vector<std::uint8_t>& pixels, unsigned& stride, int& width, int& height);
std::optional<std::vector<std::uint8_t>> EncodeJpeg(const std::vector<std::uint8_t>& pixels, unsigned stride,
                                                    int width, int height);

// Writes `bytes` into a new file at `path`: an existing file is never replaced (Exists),
// and a failed write leaves no file behind (Failed).
CreateResult WriteNewFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes);

}  // namespace lumeq
