// The floor of hot key to ramp: the least a Win32 program can do. A window that
// registers Ctrl+F3 and Ctrl+F4 and sets the ramp of level 39 or 40 on WM_HOTKEY.
// With "tick", also the floor of an idle program that watches for a game: a one-second
// timer that takes the process list in one call, and nothing more.
#include <windows.h>
#include <winternl.h>

#include <cmath>
#include <vector>

namespace {

void TakeProcessList() {
    using Query = LONG(NTAPI*)(ULONG, PVOID, ULONG, PULONG);
    static const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    static std::vector<unsigned char> buffer(256 * 1024);
    constexpr ULONG kSystemProcessInformation = 5;
    ULONG needed = 0;
    if (query && query(kSystemProcessInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed) < 0 &&
        needed > buffer.size())
        buffer.resize(needed + 64 * 1024);
}

void SetLevel(int level) {
    WORD ramp[3][256];
    const double exponent = (50 - level) / 10.01;
    for (int i = 0; i < 256; ++i) {
        const WORD entry = static_cast<WORD>(std::lround(std::pow((i + 1) / 256.01, exponent) * 65535));
        ramp[0][i] = ramp[1][i] = ramp[2][i] = entry;
    }
    HDC screen = GetDC(nullptr);
    SetDeviceGammaRamp(screen, ramp);
    ReleaseDC(nullptr, screen);
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HOTKEY) {
        SetLevel(wParam == 1 ? 39 : 40);
        return 0;
    }
    if (message == WM_TIMER) {
        TakeProcessList();
        return 0;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"FloorHotKey";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(L"FloorHotKey", L"Floor hot key", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300,
                                200, nullptr, nullptr, instance, nullptr);
    RegisterHotKey(window, 1, MOD_CONTROL, VK_F3);
    RegisterHotKey(window, 2, MOD_CONTROL, VK_F4);
    if (commandLine && wcsstr(commandLine, L"tick")) SetTimer(window, 1, 1000, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}
