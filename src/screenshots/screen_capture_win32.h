#pragma once
#include <windows.h>

#include <string>

namespace lumeq {

// Copies the whole screen, saves it as an uncompressed 24-bit Windows bitmap at `path`,
// and leaves the picture on the clipboard as Print Screen would. Returns whether the
// file was written.
bool CaptureScreen(HWND clipboardOwner, const std::wstring& path);

}  // namespace lumeq
