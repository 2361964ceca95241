#include "win32/dpi_win32.h"

#include "win32/unique_handle_win32.h"

namespace lumeq {

int SystemDpi() {
    WindowDC screen(nullptr);
    return screen ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : 96;
}

int WindowDpi(HWND window) {
    // Looked up at run time: older systems have no per-monitor DPI and no such call.
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow && window) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    return SystemDpi();
}

}  // namespace lumeq
