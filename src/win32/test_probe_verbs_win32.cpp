// The verbs the end-to-end tests ask the program's windows: what a person would see, and
// what a person would do. The same answers inside the test build (its probe, over a local
// socket) and from the probe.exe helper (for what must come from another process).
#include "win32/test_probe_verbs_win32.h"

#include <windows.h>
#include <psapi.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "win32/control_ids.h"

namespace lumeq {

namespace {

// printf into the answer.
template <typename... Args>
void Say(std::string& out, const char* format, Args... args) {
    char line[4096];
    const int length = std::snprintf(line, sizeof(line), format, args...);
    if (length > 0) out.append(line, static_cast<std::size_t>(std::min<int>(length, sizeof(line) - 1)));
}

std::wstring WideOf(const char* text);


HWND MainWindow() { return FindWindowW(L"FormMain", L"lumeq gamma"); }

struct ControlSearch {
    int id;
    HWND found = nullptr;
};

BOOL CALLBACK MatchId(HWND child, LPARAM param) {
    auto* search = reinterpret_cast<ControlSearch*>(param);
    if (GetDlgCtrlID(child) != search->id) return TRUE;
    search->found = child;
    return FALSE;
}

// A control of the main window by id, also inside its panels.
HWND Control(HWND main, int id) {
    ControlSearch search{id};
    EnumChildWindows(main, MatchId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
    out.resize(static_cast<size_t>(size - 1));
    return out;
}

std::wstring Wide(const std::string& text) {
    return WideOf(text.c_str());
}

std::wstring WideOf(const char* text) {
    int size = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring out(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, out.data(), size);
    out.resize(static_cast<size_t>(size - 1));
    return out;
}

std::wstring TextOf(HWND window) {
    wchar_t buffer[4096] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    return buffer;
}

unsigned long XWindowOf(HWND window) {
    return static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(GetPropW(window, L"__wine_x11_whole_window")));
}

void PrintWindow(std::string& out, HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    POINT client{0, 0};
    ClientToScreen(window, &client);
    RECT inside{};
    GetClientRect(window, &inside);
    Say(out, "%llu %lu %d %ld %ld %ld %ld %lx %lx %ld %ld %ld %ld\n",
                static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(window)), XWindowOf(window),
                IsWindowVisible(window) ? 1 : 0, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                static_cast<unsigned long>(GetWindowLongW(window, GWL_STYLE)),
                static_cast<unsigned long>(GetWindowLongW(window, GWL_EXSTYLE)), client.x, client.y, inside.right,
                inside.bottom);
}

struct BoxSearch {
    std::wstring title;
    HWND found = nullptr;
};

BOOL CALLBACK FindBox(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<BoxSearch*>(param);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (IsWindowVisible(window) && std::wstring(className) == L"#32770" && TextOf(window) == search->title) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK PrintChild(HWND child, LPARAM param) {
    auto* out = reinterpret_cast<std::string*>(param);
    wchar_t className[64] = {};
    GetClassNameW(child, className, 64);
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if (std::wstring(className) == L"Static" && (style & SS_TYPEMASK) == SS_ICON) {
        Say(*out, "[icon]\n");
    } else {
        std::string text = Utf8(TextOf(child));
        for (char& c : text)
            if (c == '\r') c = '|';
        Say(*out, "%s\n", text.c_str());
    }
    return TRUE;
}

// Icons that Wine's own notification area shows: each is a child window of its tray.
BOOL CALLBACK CountTrayIcon(HWND child, LPARAM param) {
    wchar_t className[64] = {};
    GetClassNameW(child, className, 64);
    if (IsWindowVisible(child) && std::wstring(className) == L"__wine_tray_icon") ++*reinterpret_cast<int*>(param);
    return TRUE;
}

// Wine 8 names its tray "Wine System Tray", Wine 10 leaves explorer's Shell_TrayWnd untitled.
BOOL CALLBACK CountTrayIcons(HWND window, LPARAM param) {
    if (IsWindowVisible(window)) EnumChildWindows(window, CountTrayIcon, param);
    return TRUE;
}

}  // namespace

int Probe(const std::vector<std::string>& argv, std::string& out) {
    const int argc = static_cast<int>(argv.size()) + 1;  // as a command line counts them
    if (argv.empty()) return 2;
    const std::string verb = argv[0];
    if (verb == "monitors") {
        Say(out, "%d %d %d %d %d\n", GetSystemMetrics(SM_CMONITORS), GetSystemMetrics(SM_XVIRTUALSCREEN),
                    GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN),
                    GetSystemMetrics(SM_CYVIRTUALSCREEN));
        EnumDisplayMonitors(
            nullptr, nullptr,
            [](HMONITOR monitor, HDC, LPRECT, LPARAM param) -> BOOL {
                std::string& answer = *reinterpret_cast<std::string*>(param);
                MONITORINFO info{};
                info.cbSize = sizeof(info);
                GetMonitorInfoW(monitor, &info);
                const RECT& m = info.rcMonitor;
                const RECT& w = info.rcWork;
                Say(answer, "%ld %ld %ld %ld %ld %ld %ld %ld\n", m.left, m.top, m.right - m.left, m.bottom - m.top,
                            w.left, w.top, w.right - w.left, w.bottom - w.top);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&out));
        return 0;
    }
    if (verb == "dpi") {
        HDC screen = GetDC(nullptr);
        Say(out, "%d\n", GetDeviceCaps(screen, LOGPIXELSX));
        ReleaseDC(nullptr, screen);
        return 0;
    }
    if (verb == "window" && argc >= 4) {
        HWND window = FindWindowW(Wide(argv[1]).c_str(), Wide(argv[2]).c_str());
        if (!window) return 1;
        PrintWindow(out, window);
        return 0;
    }
    if (verb == "menuhilite") {
        // The open popup menu's highlighted entry, so that a test steps through it key by key.
        HWND popup = FindWindowW(L"#32768", nullptr);
        if (!popup || !IsWindowVisible(popup)) return 1;
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(popup, MN_GETHMENU, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
        HMENU menu = reinterpret_cast<HMENU>(answer);
        if (!menu) return 1;
        for (int position = 0; position < GetMenuItemCount(menu); ++position) {
            if (!(GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & MF_HILITE)) continue;
            wchar_t text[256] = {};
            GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
            Say(out, "%s\n", Utf8(text).c_str());
            return 0;
        }
        Say(out, "\n");
        return 0;
    }
    if (verb == "boxrect" && argc >= 3) {
        BoxSearch search{Wide(argv[1])};
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        RECT rect{};
        if (!search.found || !GetWindowRect(search.found, &rect)) return 1;
        Say(out, "%ld %ld %ld %ld\n", static_cast<long>(rect.left), static_cast<long>(rect.top),
                    static_cast<long>(rect.right - rect.left), static_cast<long>(rect.bottom - rect.top));
        return 0;
    }
    if (verb == "boxtext" && argc >= 3) {
        BoxSearch search{Wide(argv[1])};
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        if (!search.found) return 1;
        Say(out, "%lu\n", XWindowOf(search.found));
        EnumChildWindows(search.found, PrintChild, reinterpret_cast<LPARAM>(&out));
        return 0;
    }
    if (verb == "count" && argc >= 4) {
        // Top-level windows of a class and title, hidden ones too.
        int count = 0;
        for (HWND window = FindWindowExW(nullptr, nullptr, Wide(argv[1]).c_str(), Wide(argv[2]).c_str()); window;
             window = FindWindowExW(nullptr, window, Wide(argv[1]).c_str(), Wide(argv[2]).c_str()))
            ++count;
        Say(out, "%d\n", count);
        return 0;
    }
    if (verb == "trayicons") {
        // Icons of dead programs stay until the mouse passes over them, as on Windows: count
        // them all, so that a test can tell one going.
        int count = 0;
        EnumWindows(CountTrayIcons, reinterpret_cast<LPARAM>(&count));
        Say(out, "%d\n", count);
        return 0;
    }
    if (verb == "clipboard") {
        // As a paste would: a bitmap offered for later is rendered by its owner now.
        int width = 0, height = 0;
        const bool offered = IsClipboardFormatAvailable(CF_BITMAP) != FALSE;
        if (offered && OpenClipboard(nullptr)) {
            BITMAP bitmap{};
            if (HANDLE data = GetClipboardData(CF_BITMAP); data && GetObjectW(data, sizeof(bitmap), &bitmap))
                width = bitmap.bmWidth, height = bitmap.bmHeight;
            CloseClipboard();
        }
        Say(out, "%d %d %d\n", offered ? 1 : 0, width, height);
        return 0;
    }
    if (verb == "foreground") {
        HWND window = GetForegroundWindow();
        wchar_t className[128] = {};
        GetClassNameW(window, className, 128);
        Say(out, "%s\t%s\n", Utf8(className).c_str(), Utf8(TextOf(window)).c_str());
        return 0;
    }
    if (verb == "child" && argc >= 5) {
        HWND window = FindWindowW(Wide(argv[1]).c_str(), Wide(argv[2]).c_str());
        HWND control = window ? GetDlgItem(window, std::atoi(argv[3].c_str())) : nullptr;
        if (!control) return 1;
        Say(out, "%s\n", Utf8(TextOf(control)).c_str());
        return 0;
    }
    if (verb == "hotkey-try" && argc >= 3) {
        const UINT vk = static_cast<UINT>(std::strtoul(argv[1].c_str(), nullptr, 0));
        if (!RegisterHotKey(nullptr, 1, MOD_CONTROL, vk)) return 3;
        UnregisterHotKey(nullptr, 1);
        return 0;
    }
    if (verb == "hotkey-hold" && argc >= 4) {
        const UINT vk = static_cast<UINT>(std::strtoul(argv[1].c_str(), nullptr, 0));
        if (!RegisterHotKey(nullptr, 1, MOD_CONTROL, vk)) return 3;
        const DWORD end = GetTickCount() + static_cast<DWORD>(std::atoi(argv[2].c_str())) * 1000;
        MSG message;
        while (GetTickCount() < end) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        }
        return 0;
    }
    if (verb == "gammatime" && argc >= 3) {
        const int calls = std::max(1, std::atoi(argv[1].c_str()));
        WORD ramp[3][256];
        HDC screen = GetDC(nullptr);
        GetDeviceGammaRamp(screen, ramp);
        LARGE_INTEGER frequency, begin, finish;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&begin);
        for (int i = 0; i < calls; ++i) SetDeviceGammaRamp(screen, ramp);
        QueryPerformanceCounter(&finish);
        ReleaseDC(nullptr, screen);
        Say(out, "%.1f\n", (finish.QuadPart - begin.QuadPart) * 1e6 / frequency.QuadPart / calls);
        return 0;
    }
    if (verb == "resources") {
        // What a program holds: GDI and USER objects, working set and private bytes (the
        // main window's program, or the one whose window has that class and title).
        HWND owner = argc >= 4 ? FindWindowW(Wide(argv[1]).c_str(), Wide(argv[2]).c_str()) : MainWindow();
        if (!owner) return 1;
        DWORD pid = 0;
        GetWindowThreadProcessId(owner, &pid);
        HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
        if (!process) return 1;
        PROCESS_MEMORY_COUNTERS_EX memory{};
        memory.cb = sizeof(memory);
        GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory));
        Say(out, "%lu %lu %llu %llu\n", GetGuiResources(process, GR_GDIOBJECTS),
                    GetGuiResources(process, GR_USEROBJECTS), static_cast<unsigned long long>(memory.WorkingSetSize),
                    static_cast<unsigned long long>(memory.PrivateUsage));
        CloseHandle(process);
        return 0;
    }
    HWND main = MainWindow();
    if (!main) return 1;
    if (verb == "text" && argc >= 3) {
        HWND control = Control(main, std::atoi(argv[1].c_str()));
        if (!control) return 1;
        Say(out, "%s\n", Utf8(TextOf(control)).c_str());
        return 0;
    }
    if (verb == "state" && argc >= 3) {
        HWND control = Control(main, std::atoi(argv[1].c_str()));
        if (!control) return 1;
        Say(out, "%d %d %d\n", IsWindowVisible(control) ? 1 : 0, IsWindowEnabled(control) ? 1 : 0,
                    static_cast<int>(SendMessageW(control, BM_GETCHECK, 0, 0)));
        return 0;
    }
    if (verb == "rect" && argc >= 3) {
        // Where a control lies on the screen.
        HWND control = Control(main, std::atoi(argv[1].c_str()));
        RECT rect{};
        if (!control || !GetWindowRect(control, &rect)) return 1;
        Say(out, "%ld %ld %ld %ld\n", static_cast<long>(rect.left), static_cast<long>(rect.top),
                    static_cast<long>(rect.right - rect.left), static_cast<long>(rect.bottom - rect.top));
        return 0;
    }
    if (verb == "fits" && argc >= 3) {
        // The room a control's caption needs with the control's own font, beside the room
        // the control gives it: "needW needH haveW haveH".
        HWND control = Control(main, std::atoi(argv[1].c_str()));
        if (!control) return 1;
        const std::wstring text = TextOf(control);
        wchar_t className[32] = {};
        GetClassNameW(control, className, 32);
        const LONG style = GetWindowLongW(control, GWL_STYLE);
        RECT client{};
        GetClientRect(control, &client);
        HDC dc = GetDC(control);
        // A font of another process cannot be selected here: the same one is made again,
        // the program's Microsoft Sans Serif 8.25 pt at the screen's DPI.
        LOGFONTW face{};
        face.lfHeight = -MulDiv(825, GetDeviceCaps(dc, LOGPIXELSY), 7200);
        face.lfWeight = FW_NORMAL;
        face.lfCharSet = DEFAULT_CHARSET;
        wcscpy_s(face.lfFaceName, L"Microsoft Sans Serif");
        HFONT font = CreateFontIndirectW(&face);
        HGDIOBJ old = SelectObject(dc, font);
        RECT need{0, 0, client.right, 0};
        long haveW = client.right;
        long haveH = client.bottom;
        if (_wcsicmp(className, L"Static") == 0 && (style & SS_TYPEMASK) == SS_LEFT) {
            DrawTextW(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        } else {
            DrawTextW(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_SINGLELINE);
            const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
            const LONG kind = style & BS_TYPEMASK;
            if (_wcsicmp(className, L"Button") == 0 && (kind == BS_AUTOCHECKBOX || kind == BS_CHECKBOX))
                haveW -= MulDiv(13 + 4, dpi, 96);  // the box and its gap
            else if (_wcsicmp(className, L"Button") == 0 && kind != BS_GROUPBOX)
                haveW -= 2 * MulDiv(3, dpi, 96), haveH -= 2 * MulDiv(2, dpi, 96);  // the button's edges
        }
        SelectObject(dc, old);
        DeleteObject(font);
        ReleaseDC(control, dc);
        Say(out, "%ld %ld %ld %ld\n", need.right - need.left, need.bottom - need.top, haveW, haveH);
        return 0;
    }
    if (verb == "click" && argc >= 3) {
        // As a user's click: a disabled button does nothing.
        HWND control = Control(main, std::atoi(argv[1].c_str()));
        if (!control) return 1;
        if (IsWindowEnabled(control)) SendMessageW(control, BM_CLICK, 0, 0);
        return 0;
    }
    if (verb == "type" && argc >= 4) {
        HWND control = Control(main, std::atoi(argv[1].c_str()));
        if (!control || !IsWindowEnabled(control)) return 1;
        SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(argv[2]).c_str()));
        return 0;
    }
    if (verb == "command" && argc >= 3) {
        return PostMessageW(main, WM_COMMAND, static_cast<WPARAM>(std::atoi(argv[1].c_str())), 0) ? 0 : 1;
    }
    if (verb == "post" && argc >= 3) {
        const WPARAM wParam = argc >= 4 ? static_cast<WPARAM>(std::strtoul(argv[2].c_str(), nullptr, 0)) : 0;
        return PostMessageW(main, static_cast<UINT>(std::strtoul(argv[1].c_str(), nullptr, 0)), wParam, 0) ? 0 : 1;
    }
    if (verb == "tray" && argc >= 3) {
        // The shell's callback for a mouse event on the icon, posted to its receiver.
        HWND receiver = FindWindowExW(main, nullptr, L"pichook", nullptr);
        const LPARAM code = static_cast<LPARAM>(std::strtoul(argv[1].c_str(), nullptr, 0));
        return receiver && PostMessageW(receiver, WM_LBUTTONDOWN, 1, code) ? 0 : 1;
    }
    if (verb == "slider-key" && argc >= 3) {
        // The slider's own keyboard input, as if it had the focus.
        HWND slider = GetDlgItem(main, lumeq::ids::kLevelSlider);
        const WPARAM vk = static_cast<WPARAM>(std::strtoul(argv[1].c_str(), nullptr, 0));
        if (!slider || !PostMessageW(slider, WM_KEYDOWN, vk, 1)) return 1;
        return PostMessageW(slider, WM_KEYUP, vk, 0xC0000001) ? 0 : 1;
    }
    if (verb == "slider") {
        HWND slider = GetDlgItem(main, lumeq::ids::kLevelSlider);
        if (!slider) return 1;
        Say(out, "%ld %ld %ld %d\n", static_cast<long>(SendMessageW(slider, TBM_GETPOS, 0, 0)),
                    static_cast<long>(SendMessageW(slider, TBM_GETRANGEMIN, 0, 0)),
                    static_cast<long>(SendMessageW(slider, TBM_GETRANGEMAX, 0, 0)), IsWindowEnabled(slider) ? 1 : 0);
        return 0;
    }
    return 2;
}

}  // namespace lumeq
