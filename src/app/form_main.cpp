#include "app/form_main.h"

#include <commctrl.h>

#include <algorithm>

#include "app/banner.h"
#include "app/control_ids.h"
#include "app/tray_model.h"
#include "platform/dpi.h"
#include "platform/text.h"
#include "platform/ui_style.h"
#include "platform/window_proc.h"

namespace lumeq {

namespace {
constexpr wchar_t kClassName[] = L"FormMain";
constexpr wchar_t kTitle[] = L"lumeq gamma";

// Outer size of the window, and where the hidden controls live: beyond the right
// edge of the client area, never on screen.
constexpr int kWindowWidthTwips = 2490;
constexpr int kWindowHeightTwips = 2520;
constexpr int kHiddenAreaLeftTwips = 2880;
#ifdef LUMEQ_TEST_TRIGGERS
constexpr UINT kTestCrashMessage = WM_APP + 0x3C;
constexpr UINT kTestDpiMessage = WM_APP + 0x3D;
#endif
constexpr int kBannerWidthTwips = 2400;
constexpr int kBannerHeightTwips = 1905;

constexpr COLORREF kBannerColour = RGB(0x1A, 0x1F, 0x24);
constexpr COLORREF kLabel3Text = 0x00FFFFFF;
constexpr COLORREF kLabel4Text = 0x00A8A8A8;
constexpr COLORREF kLbIndicadorText = 0x00FFFFFF;

}  // namespace

FormMain::FormMain(HINSTANCE instance)
    : m_instance(instance), m_settings(ProgramFolder() + L"\\lumeq.ini") {}

bool FormMain::Form_Load() {
    if (!CreateMainWindow()) return false;

    // 1. The notification-area icon.
    m_tray.Fill();
    m_tray.Add();
    // 2.-3. No maximise box, and the system menu loses its entry at position 2.
    RemoveMaximiseAndSystemMenuEntry();
    // 4.-5. The settings file, then the stored automatic-activation flag.
    funLeerConfig();
    ApplyStoredActivation();
    // 6.-7. The global hot keys; WM_HOTKEY is consumed by our window procedure.
    RegisterHotKeys();
    // 8. The indicator strip: loaded, shown, and parked far above every screen.
    m_FormIndicador.Create(m_instance, m_layout.Dpi());
    m_FormIndicador.ParkOffScreen();
    // 9. The window's fixed size.
    SetFixedSize();
    // 10. Placed by the screen's width.
    btResolution_Click();
    // 11.-14. Screenshots taken in this run, the folder and its count in the menus.
    SetText(m_TxtScreenNuevas, "0");
    SetText(m_Text1, Narrow(ProgramFolder()) + "\\Screenshots");
    SetText(m_Text2, "*.jpg");
    btCantidadArch_Click();
    SetFolderCaptions(false);
    // 15. The level label starts empty.
    SetText(m_LbIndicador, "");
    // 16. The popup menu is never part of the menu bar (see CreateMenus).
    // 17. A second copy never gets this far: it is turned away before anything a user
    // could act on exists (see wWinMain).
    // 18. The first run makes the Screenshots folder and tells what the keys do.
    FirstRunCheck();
    // 19. Shown in its normal state; the boosted gamma is off.
    ShowWindow(m_hwnd, SW_SHOWNORMAL);
    UpdateWindow(m_hwnd);
    return true;
}

int FormMain::Run() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

bool FormMain::CreateMainWindow() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    // The system's DPI until the window knows its monitor's.
    m_layout.SetDpi(SystemDpi());
    m_bannerBrush.Reset(CreateSolidBrush(kBannerColour));

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &WindowProcOf<FormMain>;
    windowClass.hInstance = m_instance;
    windowClass.hIcon = LoadIconW(m_instance, MAKEINTRESOURCEW(1));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(m_instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(m_bannerBrush.Get());
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassExW(&windowClass)) return false;

    CreateMenus();
    // A fixed frame with a caption and the system menu, no minimise or maximise box.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    m_hwnd = CreateWindowExW(0, kClassName, kTitle, style, CW_USEDEFAULT, CW_USEDEFAULT,
                             m_layout.Pixels(kWindowWidthTwips), m_layout.Pixels(kWindowHeightTwips), nullptr, m_menuBar,
                             m_instance, this);
    if (!m_hwnd) return false;
    if (WindowDpi(m_hwnd) != m_layout.Dpi()) OnDpiChanged(WindowDpi(m_hwnd), nullptr);
    return true;
}

HWND FormMain::CreateLabel(int id, const wchar_t* text, TwipsRect rect, DWORD style, FontRole font, Fit fit) {
    return m_layout.Create(m_instance, m_hwnd, L"STATIC", text, WS_VISIBLE | WS_CLIPSIBLINGS | SS_NOTIFY | style, id,
                           rect, font, fit);
}

HWND FormMain::CreateStateField(int id, const wchar_t* initial) {
    const int top = 300 * m_hiddenFieldCount++;
    return m_layout.Create(m_instance, m_hwnd, L"STATIC", initial, 0, id, {kHiddenAreaLeftTwips, top, 1500, 285});
}

void FormMain::CreateControls() {
    // The banner fills the client area, behind everything else.
    m_Image1 = m_layout.Create(m_instance, m_hwnd, L"STATIC", L"", WS_VISIBLE | WS_CLIPSIBLINGS | SS_OWNERDRAW | SS_NOTIFY,
                               ids::Image1, {0, 0, kBannerWidthTwips, kBannerHeightTwips});
    m_Resolution = CreateStateField(ids::Resolution, L"Resolution");

    // The bottom strip of the banner, three labels side by side: the name, the level and
    // "by ZEV", one colour for the state.
    // Where a font is wider than the layout assumed, the name takes the room it needs and
    // the others move right (see FitStrip).
    m_LbIndicador =
        CreateLabel(ids::LbIndicador, L"", {1215, 1485, 465, 240}, SS_CENTER, FontRole::Label, Fit::Caption);
    m_Label4 = CreateLabel(ids::Label4, L"by ZEV", {1680, 1485, kBannerWidthTwips - 1680, 240}, SS_LEFT,
                           FontRole::Label4, Fit::Caption);
    m_Label3 =
        CreateLabel(ids::Label3, L"lumeq gamma", {0, 1485, 1215, 240}, SS_LEFT, FontRole::Label3, Fit::Caption);

    // The level store: a trackbar 0..50 at 40 until the first capture.
    HWND slider = m_layout.Create(m_instance, m_hwnd, TRACKBAR_CLASSW, L"", TBS_HORZ | TBS_AUTOTICKS, ids::SliderGamma,
                                  {kHiddenAreaLeftTwips + 1700, 400, 1800, 400});
    m_SliderGamma.Attach(slider);
    m_SliderGamma.SetRangeMin(0);
    m_SliderGamma.SetRangeMax(50);
    m_SliderGamma.SetPosition(40);

    m_tray.Create(m_instance, m_hwnd, m_layout.Pixels(kHiddenAreaLeftTwips + 1700), m_layout.Pixels(1000),
                  [this](int code) { OnTrayEvent(code); });
    m_taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");

    m_screenText = CreateStateField(ids::screenText, L"0");
    m_txtActivacion = CreateStateField(ids::txtActivacion, L"False");
    CreatePanels();
    CreateScreenshotControls();

    m_estadoTxt = CreateStateField(ids::estadoTxt, L"False");
    m_estado_txt = CreateStateField(ids::estado_txt, L"- -");
    m_txtOculta = CreateStateField(ids::txtOculta, L"No");
    SetStripColour(kStripOff);

    FitStrip();

    // Last, once every control exists: the banner behind everything, and the strip of
    // labels just above it, so that whatever the layout puts over them (the screenshot
    // count, the panels) is seen.
    SetWindowPos(m_Label3, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(m_Image1, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void FormMain::SetFixedSize() {
    SetWindowPos(m_hwnd, nullptr, 0, 0, m_layout.Pixels(kWindowWidthTwips), m_layout.Pixels(kWindowHeightTwips),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // 2490 x 2520 twips framed the 2400 x 1905 banner exactly with the frames of old.
    // Today's captions and borders are thicker, and the menu bar may wrap onto a second
    // line, so the window grows until the client area shows the whole banner, and every
    // panel whole where a font wider than the layout assumed made one taller.
    const int neededHeight = std::max(m_layout.Pixels(kBannerHeightTwips), m_layout.TallestPanel());
    for (int attempt = 0; attempt < 3; ++attempt) {
        RECT client{};
        RECT outer{};
        GetClientRect(m_hwnd, &client);
        GetWindowRect(m_hwnd, &outer);
        const int missingWidth = std::max(0, m_layout.Pixels(kBannerWidthTwips) - static_cast<int>(client.right));
        const int missingHeight = std::max(0, neededHeight - static_cast<int>(client.bottom));
        if (missingWidth == 0 && missingHeight == 0) return;
        SetWindowPos(m_hwnd, nullptr, 0, 0, outer.right - outer.left + missingWidth,
                     outer.bottom - outer.top + missingHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void FormMain::RemoveMaximiseAndSystemMenuEntry() {
    const LONG style = GetWindowLongW(m_hwnd, GWL_STYLE);
    SetWindowLongW(m_hwnd, GWL_STYLE, style & static_cast<LONG>(0xFFFEFFFF));
    if (HMENU systemMenu = GetSystemMenu(m_hwnd, FALSE)) RemoveMenu(systemMenu, 2, MF_BYPOSITION | MF_REMOVE);
}

void FormMain::OnCloseRequest() {
    // Brings the icon back if it was lost; fails harmlessly while it exists.
    m_tray.Fill();
    m_tray.Add();
    ShowWindow(m_hwnd, SW_HIDE);
    SetText(m_txtOculta, "No");
}

void FormMain::Salir_Click() { ExitSequence(true); }
void FormMain::FunctionsSalir_Click() { ExitSequence(false); }

void FormMain::ExitSequence(bool unregisterHotKeys) {
    btDesactivar_Click();
    m_GammaEngine.reset();
    m_tray.Delete();
    if (unregisterHotKeys) {
        for (int id = 0; id < static_cast<int>(m_hotKeyRegistered.size()); ++id)
            if (m_hotKeyRegistered[static_cast<std::size_t>(id)]) UnregisterHotKey(m_hwnd, id);
    }
    // Ends at once: no close request, timer or other event of any window runs after this.
    ExitProcess(0);
}

LRESULT FormMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            CreateControls();
            return 0;
        case WM_HOTKEY:
            DispatchHotKey(static_cast<int>(wParam));
            return 1;
        case WM_COMMAND:
            if (lParam == 0)
                OnCommand(LOWORD(wParam));
            else
                OnControlCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_CTLCOLOREDIT:
            return OnCtlColorNameBox(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_HSCROLL:
            OnSliderScroll(wParam, lParam);
            return 0;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item->hwndItem != m_Image1) return FALSE;
            DrawBanner(item->hDC, item->rcItem, m_layout.Dpi());
            return TRUE;
        }
        case WM_CTLCOLORSTATIC:
            return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_CLOSE:
            OnCloseRequest();
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam) OnEndSession();
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_DISPLAYCHANGE:
            if (m_GammaEngine) m_GammaEngine->ReapplyLevel();  // a mode change resets the ramps
            return DefWindowProcW(m_hwnd, message, wParam, lParam);
        case WM_POWERBROADCAST:
            if ((wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) && m_GammaEngine)
                m_GammaEngine->ReapplyLevel();
            return TRUE;
        default:
#ifdef LUMEQ_TEST_TRIGGERS
            if (message == kTestCrashMessage) *static_cast<volatile int*>(nullptr) = 0;  // a crash in a handler
            if (message == kTestDpiMessage) OnDpiChanged(static_cast<int>(wParam), nullptr);  // a move to another monitor
#endif
            if (message == m_taskbarCreated && m_taskbarCreated != 0) {
                m_tray.Add();  // the shell restarted and forgot every icon
                return 0;
            }
            return DefWindowProcW(m_hwnd, message, wParam, lParam);
    }
}

void FormMain::OnTimer(UINT_PTR id) {
    switch (id) {
        case ids::TimerReset: TimerReset_Timer(); break;
        case ids::Timer2: Timer2_Timer(); break;
        case ids::activacionTimer: m_watcher.activacionTimer_Timer(); break;
        case ids::TimerScreen: TimerScreen_Timer(); break;
        case ids::RampWatch: KeepBoostOn(); break;
        default: break;
    }
}

void FormMain::OnDpiChanged(int dpi, const RECT* suggested) {
    // Moved to a monitor of another scaling (or its scaling changed): fonts, banner and
    // every control again at the new DPI, the window where the system suggests.
    m_layout.SetDpi(dpi);
    m_layout.LayOutAll();
    FitStrip();
    if (suggested)
        SetWindowPos(m_hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    SetFixedSize();
    KeepOnScreen();
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void FormMain::FitStrip() {
    // The banner's bottom strip; the level's label keeps its place as the level changes.
    m_layout.FitChildren(m_hwnd, {0, 0, kBannerWidthTwips, kBannerHeightTwips}, 0);
}

void FormMain::KeepBoostOn() {
    // A game or the driver may have replaced our ramp; at most once a second it is set
    // again, and never when the display refused it.
    if (m_GammaEngine) m_GammaEngine->ReapplyIfReplaced();
}

void FormMain::OnEndSession() {
    // Windows is ending the session. Nothing may switch the boost on again once the
    // ramps are back (the watcher's re-arm would, with the game still listed), so every
    // timer stops and the watcher is disarmed first; then we leave as "Salir" does.
    for (UINT_PTR timer : {ids::TimerReset, ids::activacionTimer, ids::TimerScreen, ids::Timer2, ids::RampWatch})
        KillTimer(m_hwnd, timer);
    m_watcher.Disarm();
    ExitSequence(/*unregisterHotKeys=*/true);
}

void FormMain::OnTrayEvent(int code) {
    const TrayReaction reaction = ReactToTrayEvent(code, Text(m_txtOculta));
    if (reaction.showWindow) ShowWindow(m_hwnd, SW_SHOW);
    if (reaction.startTimer2) SetTimer(m_hwnd, ids::Timer2, 300, nullptr);
    if (!reaction.newOculta.empty()) SetText(m_txtOculta, reaction.newOculta);
    if (reaction.hideWindow) ShowWindow(m_hwnd, SW_HIDE);
    if (reaction.openPopup) ShowPopupMenu();
}

void FormMain::Timer2_Timer() {
    // Brings the window back to the front in its normal state. Passing through the
    // maximised and minimised states on the way would only flash a fixed-size window.
    ShowWindow(m_hwnd, SW_SHOW);
    ShowWindow(m_hwnd, SW_HIDE);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(m_hwnd, &placement);
    placement.showCmd = SW_HIDE;
    placement.flags &= ~static_cast<UINT>(WPF_RESTORETOMAXIMIZED);
    SetWindowPlacement(m_hwnd, &placement);
    ShowWindow(m_hwnd, SW_SHOWNORMAL);
    SetForegroundWindow(m_hwnd);
    KillTimer(m_hwnd, ids::Timer2);
}

void FormMain::FunctionsRestaurar_Click() {
    ShowWindow(m_hwnd, SW_SHOW);
    SetText(m_txtOculta, "Si");
}

void FormMain::TimerReset_Timer() {
    m_watcher.TimerReset_Timer();
    // Last: a start made by the re-arm restarts this timer through btDesactivar, and that
    // restart is cancelled here, so the re-arm runs once per start of the timer.
    KillTimer(m_hwnd, ids::TimerReset);
}

LRESULT FormMain::OnCtlColorStatic(HDC dc, HWND control) {
    COLORREF text = 0;
    if (control == m_Label3) {
        text = kLabel3Text;
    } else if (control == m_Label4) {
        text = kLabel4Text;
    } else if (control == m_LbIndicador) {
        text = kLbIndicadorText;
    } else if (control == m_ScreenNuevas) {
        SetTextColor(dc, 0x000000C0);
        SetBkColor(dc, 0x0044584C);
        return reinterpret_cast<LRESULT>(m_screenNuevasBrush.Get());
    } else {
        return OnCtlColorNameBox(WM_CTLCOLORSTATIC, dc, control);
    }
    SetTextColor(dc, text);
    SetBkColor(dc, m_stripColour);
    return reinterpret_cast<LRESULT>(m_stripBrush.Get());
}

void FormMain::SetStripColour(Colour colour) {
    m_stripColour = colour;
    m_stripBrush.Reset(CreateSolidBrush(colour));
    for (HWND label : {m_Label3, m_Label4, m_LbIndicador}) InvalidateRect(label, nullptr, TRUE);
}

std::string FormMain::Text(HWND field) const {
    const int length = GetWindowTextLengthW(field);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(field, text.data(), length + 1)));
    return Narrow(text);
}

void FormMain::SetText(HWND field, std::string_view text) { SetWindowTextW(field, Widen(text).c_str()); }

}  // namespace lumeq
