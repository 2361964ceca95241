// A stand-in for a game: one plain window that takes the focus and keeps it. The
// tests start it (also under the names of watched programs) and check that the
// program never takes the keyboard or activation from it.
//   standin_game --own-ramp FILE   also sets the straight ramp each time it is activated,
//                                  as Windows does when a full-screen game takes the
//                                  foreground, and adds a line to FILE for each
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {
std::wstring g_rampLog;  // set: the ramp is set at each activation

void SetOwnRamp() {
    WORD ramp[3][256];
    for (int i = 0; i < 256; ++i) ramp[0][i] = ramp[1][i] = ramp[2][i] = static_cast<WORD>(i * 257);
    HDC screen = GetDC(nullptr);
    const BOOL set = SetDeviceGammaRamp(screen, ramp);
    ReleaseDC(nullptr, screen);
    if (FILE* log = _wfopen(g_rampLog.c_str(), L"a")) {
        std::fprintf(log, "set %d\n", set ? 1 : 0);
        std::fclose(log);
    }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE && !g_rampLog.empty()) SetOwnRamp();
    return DefWindowProcW(window, message, wParam, lParam);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv && argc == 3 && std::wstring(argv[1]) == L"--own-ramp") g_rampLog = argv[2];
    if (argv) LocalFree(argv);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = L"StandInGame";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, L"StandInGame", L"Juego de prueba", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200,
                                  400, 300, nullptr, nullptr, instance, nullptr);
    SetForegroundWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
