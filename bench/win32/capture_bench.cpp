// Capture and save of the whole screen, timed inside one process: the program's JPEG
// path (copy, clipboard, encode with the Windows Imaging Component, write a new file),
// the floor (copy and encode the same way, write the file: no clipboard, no care for an
// existing file), and the 24-bit bitmap file the program wrote before. Prints one line
// each: median milliseconds and the file's size.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "win32/com_ptr_win32.h"
#include "win32/unique_handle_win32.h"
#include "win32/screen_capture_win32.h"

namespace {

// The bitmap file of old: the screen's pixels, bottom-up, 24 bits, no compression.
std::vector<std::uint8_t> CaptureScreenAsBitmap() {
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    lumeq::WindowDC screen(nullptr);
    lumeq::UniqueMemoryDC memory(CreateCompatibleDC(screen.Get()));
    lumeq::UniqueGdiObject bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    {
        lumeq::SelectedObject selected(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), GetSystemMetrics(SM_XVIRTUALSCREEN),
               GetSystemMetrics(SM_YVIRTUALSCREEN), SRCCOPY | CAPTUREBLT);
    }
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
    header.biSizeImage = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + header.biSizeImage;
    std::vector<std::uint8_t> bytes(file.bfSize);
    std::copy_n(reinterpret_cast<const std::uint8_t*>(&file), sizeof(file), bytes.begin());
    std::copy_n(reinterpret_cast<const std::uint8_t*>(&header), sizeof(header), bytes.begin() + sizeof(file));
    GetDIBits(memory.Get(), static_cast<HBITMAP>(bitmap.Get()), 0, static_cast<UINT>(height),
              bytes.data() + file.bfOffBits, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    return bytes;
}

// One way of taking the screen, timed run by run; the ways take turns, so that a slow moment
// of the machine falls on all of them alike.
struct Timed {
    std::vector<double> times;
    std::size_t size = 0;

    template <typename Capture>
    void Run(const std::wstring& path, Capture capture) {
        const double start = MillisecondsNow();
        const std::vector<std::uint8_t> bytes = capture();
        lumeq::WriteNewFile(path, bytes);
        times.push_back(MillisecondsNow() - start);
        size = bytes.size();
        DeleteFileW(path.c_str());
    }
    void Print(const char* name) {
        std::sort(times.begin(), times.end());
        std::printf("%s %.1f ms %zu bytes\n", name, times[times.size() / 2], size);
    }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring folder = argc > 1 ? argv[1] : L".";
    const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 9;
    const lumeq::ComApartment com;
    // The program's own path: a clipboard owner window, the screenshot offered on it.
    HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    lumeq::ClipboardShot clipboard;
    Timed bmp, floor, jpeg;
    for (int run = 0; run < runs; ++run) {
        const std::wstring path = folder + L"\\bench_" + std::to_wstring(run);
        bmp.Run(path, CaptureScreenAsBitmap);
        floor.Run(path, [] {
            std::vector<std::uint8_t> pixels;
            unsigned stride = 0;
            int width = 0, height = 0;
            if (!lumeq::CaptureScreenPixels(pixels, stride, width, height)) return std::vector<std::uint8_t>{};
            return lumeq::EncodeJpeg(pixels, stride, width, height).value_or(std::vector<std::uint8_t>{});
        });
        jpeg.Run(path, [&] {
            lumeq::UniqueBitmap screen;
            auto encoded = lumeq::CaptureScreenAsJpeg(screen);
            clipboard.Offer(owner, std::move(screen));
            return encoded.value_or(std::vector<std::uint8_t>{});
        });
    }
    bmp.Print("bmp");
    floor.Print("floor");
    jpeg.Print("jpeg");
    return 0;
}
