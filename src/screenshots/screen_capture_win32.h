#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "screenshots/screenshot_numbering.h"

namespace lumeq {

// Copies the whole screen, leaves the picture on the clipboard as Print Screen would,
// and gives it back encoded as a JPEG file (Windows Imaging Component, quality 90).
// Nothing when the screen could not be copied or encoded.
std::optional<std::vector<std::uint8_t>> CaptureScreenAsJpeg(HWND clipboardOwner);

// The whole screen's pixels as 24-bit BGR rows from the top (each padded to four bytes),
// and the JPEG file that holds them; the parts of CaptureScreenAsJpeg.
bool CaptureScreenPixels(std::vector<std::uint8_t>& pixels, unsigned& stride, int& width, int& height);
std::optional<std::vector<std::uint8_t>> EncodeJpeg(const std::vector<std::uint8_t>& pixels, unsigned stride,
                                                    int width, int height);

// Writes `bytes` into a new file at `path`: an existing file is never replaced (Exists),
// and a failed write leaves no file behind (Failed).
CreateResult WriteNewFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes);

}  // namespace lumeq
