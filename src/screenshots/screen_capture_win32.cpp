#include "screenshots/screen_capture_win32.h"

#include <vector>

#include "platform/unique_handle.h"

namespace lumeq {

namespace {
bool WriteBitmapFile(const std::wstring& path, HDC dc, HBITMAP bitmap, int width, int height) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;  // bottom-up rows, as bitmap files usually are
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
    header.biSizeImage = stride * static_cast<DWORD>(height);
    std::vector<BYTE> pixels(header.biSizeImage);
    if (GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&header),
                  DIB_RGB_COLORS) == 0)
        return false;

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + header.biSizeImage;

    UniqueFile out(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out) return false;
    DWORD written = 0;
    bool ok = WriteFile(out.Get(), &file, sizeof(file), &written, nullptr) && written == sizeof(file);
    ok = ok && WriteFile(out.Get(), &header, sizeof(header), &written, nullptr) && written == sizeof(header);
    ok = ok && WriteFile(out.Get(), pixels.data(), header.biSizeImage, &written, nullptr) &&
         written == header.biSizeImage;
    out.Reset();
    if (!ok) DeleteFileW(path.c_str());  // never leave half a picture behind
    return ok;
}
}  // namespace

bool CaptureScreen(HWND clipboardOwner, const std::wstring& path) {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    WindowDC screen(nullptr);
    if (!screen || width <= 0 || height <= 0) return false;
    UniqueMemoryDC memory(CreateCompatibleDC(screen.Get()));
    UniqueGdiObject bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    if (!memory || !bitmap) return false;
    bool copied = false;
    {
        SelectedObject selected(memory.Get(), bitmap.Get());
        copied = BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), left, top, SRCCOPY | CAPTUREBLT) != FALSE;
    }
    if (!copied) return false;
    const bool saved = WriteBitmapFile(path, memory.Get(), static_cast<HBITMAP>(bitmap.Get()), width, height);
    ClipboardLock clipboard(clipboardOwner);
    // Once on the clipboard the bitmap belongs to the system.
    if (clipboard && EmptyClipboard() && SetClipboardData(CF_BITMAP, bitmap.Get())) bitmap.Release();
    return saved;
}

}  // namespace lumeq
