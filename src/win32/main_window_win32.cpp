#include "win32/main_window_win32.h"

#include <commctrl.h>
#include <wtsapi32.h>

#include <algorithm>

#include "app/activation.h"
#include "win32/banner_win32.h"
#include "win32/process_scan_win32.h"
#include "win32/text_win32.h"
#include "win32/control_ids.h"
#include "win32/dpi_win32.h"
#include "win32/ui_style_win32.h"
#ifdef LUMEQ_TEST_TRIGGERS
#include "win32/test_probe_win32.h"
#include "win32/test_refusals_win32.h"
#endif

namespace lumeq {

namespace {
constexpr wchar_t kClassName[] = L"FormMain";
constexpr wchar_t kTitle[] = L"lumeq gamma";

// Outer size of the window, and where the hidden controls live: beyond the right
// edge of the client area, never on screen.
constexpr int kWindowWidthTwips = 2490;
constexpr int kWindowHeightTwips = 2520;
constexpr int kHiddenAreaLeftTwips = 2880;
constexpr int kBannerWidthTwips = 2400;
constexpr int kBannerHeightTwips = 1905;
#ifdef LUMEQ_TEST_TRIGGERS
constexpr UINT kTestCrashMessage = WM_APP + 0x3C;
constexpr UINT kTestDpiMessage = WM_APP + 0x3D;
constexpr UINT kTestRefuseMessage = WM_APP + 0x3E;
#endif

constexpr COLORREF kBannerColour = RGB(0x1A, 0x1F, 0x24);
constexpr COLORREF kNameCaptionText = 0x00FFFFFF;
constexpr COLORREF kSignatureCaptionText = 0x00A8A8A8;
constexpr COLORREF kLevelCaptionText = 0x00FFFFFF;

// The hidden mirrors, in the order they are stacked (the core knows what they hold first).
struct HiddenField {
    Field field;
    int id;
};
constexpr HiddenField kHiddenFields[] = {
    {Field::Resolution, ids::kResolution},   {Field::ScreenshotCounter, ids::kScreenshotCounter}, {Field::AutoActivationFlag, ids::kAutoActivationFlag},
    {Field::NewScreenshots, ids::kNewScreenshotsField}, {Field::FolderFileCount, ids::kFolderFileCount},
    {Field::FolderSizeText, ids::kFolderSizeText},   {Field::BoostState, ids::kBoostState}, {Field::LevelBesideSlider, ids::kLevelBesideSlider},
    {Field::WindowHidden, ids::kWindowHidden}};

// Window timers by the core's names: 1 to 6, as they have always been numbered (the strip's
// own, StripHide, belongs to the strip's window).
UINT_PTR TimerIdentifier(TimerId timer) { return static_cast<UINT_PTR>(timer) + 1; }

// The icon's mouse messages, in the core's words.
TrayEvent TrayEventOf(int message) {
    switch (message) {
        case WM_MOUSEMOVE: return TrayEvent::MouseMove;
        case WM_LBUTTONUP: return TrayEvent::Click;
        case WM_LBUTTONDBLCLK: return TrayEvent::DoubleClick;
        case WM_RBUTTONUP: return TrayEvent::ContextMenu;
        default: return TrayEvent::Other;
    }
}
}  // namespace

namespace {
std::unique_ptr<DisplayRamp> TestDisplays([[maybe_unused]] DisplayRamp& displays) {
#ifdef LUMEQ_TEST_TRIGGERS
    return std::make_unique<RefusableDisplays>(displays);
#else
    return nullptr;
#endif
}
}  // namespace

MainWindow::MainWindow(HINSTANCE instance, ScreenDisplays& displays, CrashRecord& record)
    : m_instance(instance),
      m_display(displays),
      m_testDisplays(TestDisplays(m_display)),
      m_displays(m_testDisplays ? *m_testDisplays : static_cast<DisplayRamp&>(m_display)),
      m_settings(ProgramFolder() + L"\\lumeq.ini"),
      m_screenshots(ProgramFolder() + L"\\Screenshots", nullptr),
      m_core(AppPorts{*this, *this, m_strip, m_panels, m_screenshotControls, m_screenshots, m_settings,
                      m_displays, m_levelStore, &record, this, *this},
             UserDecimalSeparator()) {}

bool MainWindow::Load(const CrashRecord::Recovery& recovery) {
#ifdef LUMEQ_TEST_TRIGGERS
    // First: the tests look in while the start-up runs, its boxes included.
    auto probe = std::make_shared<TestProbe>();
    probe->Start(m_instance, [this] { return m_core.Watcher().Ticks(); });
    m_testProbe = probe;
#endif
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    // The system's DPI until the window knows its monitor's.
    m_layout.SetDpi(SystemDpi());
    m_bannerBrush.Reset(CreateSolidBrush(kBannerColour));
    CreateMenus();
    WindowClassLook look;
    look.icon = LoadIconW(m_instance, MAKEINTRESOURCEW(1));
    look.smallIcon = static_cast<HICON>(LoadImageW(m_instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    look.background = m_bannerBrush.Get();
    // A fixed frame with a caption and the system menu, no minimise or maximise box.
    if (!CreateBase(m_instance, kClassName, look, 0, kTitle, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                    CW_USEDEFAULT, CW_USEDEFAULT, m_layout.Pixels(kWindowWidthTwips),
                    m_layout.Pixels(kWindowHeightTwips), nullptr, m_menuBar))
        return false;
    if (WindowDpi(m_hwnd) != m_layout.Dpi()) OnDpiChanged(WindowDpi(m_hwnd), nullptr);
    m_screenshots.SetClipboardOwner(m_hwnd);
    // The unlock of the session, after which the ramps are set again.
    WTSRegisterSessionNotification(m_hwnd, NOTIFY_FOR_THIS_SESSION);

    // 1. The notification-area icon, with what the window does not show: both come once
    // the window is on the screen (see FinishStart); the icon's popup exists already.
    // 2.-3. No maximise box, and the system menu loses its entry at position 2.
    RemoveMaximiseAndSystemMenuEntry();
    // 4.-19. The core leads: the settings and the stored flag, the hot keys, size and place,
    // the screenshots counted, the first run, the window shown. The strip comes once the
    // window shows (or before the first run's box, while which the hot keys already work).
    m_core.StartUp(*this, recovery);
    m_foreground = std::make_unique<ForegroundWatch>([this] { m_core.OnForeground(); });
    TellIfFolderReadOnly();
    return true;
}

// ----- the start-up's steps -----

void MainWindow::SizeAndPlace() {
    SetFixedSize();
    ShowResolution();
}

void MainWindow::ShowMainWindow() {
    ::ShowWindow(m_hwnd, SW_SHOWNORMAL);
    UpdateWindow(m_hwnd);
    FinishStart();
}

void MainWindow::FinishStart() {
    // What nobody sees in the window, made once it shows (each control is a call to the
    // window system, and a player waits for the window): the hidden mirrors, the level's
    // trackbar, then the icon with its receiver. On a first run this comes before the
    // information box instead, so that the icon is there while the box tells of it.
    if (m_started) return;
    m_started = true;
    CreateHiddenControls();
    m_tray.Create(m_instance, m_hwnd, m_layout.Pixels(kHiddenAreaLeftTwips + 1700), m_layout.Pixels(1000),
                  [this](int message) { m_core.OnTrayEvent(TrayEventOf(message)); });
    m_tray.Fill();
    m_tray.Add();
    // 8. The strip: loaded, shown, and parked far above every screen.
    m_strip.Create(m_instance, m_layout.Dpi(), [this] { m_core.OnTimer(TimerId::StripHide); });
    m_strip.ParkOffScreen();
}

int MainWindow::Run() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (PanelKey(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

bool MainWindow::PanelKey(const MSG& message) {
    // Only while a panel is open, and only for keys typed into the window: then Tab and
    // Shift+Tab move between its controls and Enter presses its "Aceptar" or "0k" (Space
    // ticks the box or presses a button on its own); nothing else in the window changes.
    const HWND button = m_panels.DefaultButton();
    if (!button || message.message != WM_KEYDOWN || (message.hwnd != m_hwnd && !IsChild(m_hwnd, message.hwnd)))
        return false;
    if (message.wParam == VK_RETURN) {
        SendMessageW(button, BM_CLICK, 0, 0);
        return true;
    }
    return message.wParam == VK_TAB && m_panels.Tab(GetKeyState(VK_SHIFT) < 0);
}

HWND MainWindow::CreateLabel(int id, const wchar_t* text, TwipsRect rect, DWORD style, FontRole font, Fit fit) {
    return m_layout.Create(m_instance, m_hwnd, L"STATIC", text, WS_VISIBLE | WS_CLIPSIBLINGS | SS_NOTIFY | style, id,
                           rect, font, fit);
}

void MainWindow::CreateControls() {
    // The banner fills the client area, behind everything else.
    m_banner = m_layout.Create(m_instance, m_hwnd, L"STATIC", L"", WS_VISIBLE | WS_CLIPSIBLINGS | SS_OWNERDRAW | SS_NOTIFY,
                               ids::kBanner, {0, 0, kBannerWidthTwips, kBannerHeightTwips});

    // The bottom strip of the banner, three labels side by side: the name, the level and
    // "by ZEV", one colour for the state. Where a font is wider than the layout assumed,
    // the name takes the room it needs and the others move right (see FitStrip).
    m_levelCaption =
        CreateLabel(ids::kLevelCaption, L"", {1215, 1485, 465, 240}, SS_CENTER, FontRole::Label, Fit::Caption);
    m_signatureCaption = CreateLabel(ids::kSignatureCaption, L"by ZEV", {1680, 1485, kBannerWidthTwips - 1680, 240}, SS_LEFT,
                           FontRole::SignatureCaption, Fit::Caption);
    m_nameCaption =
        CreateLabel(ids::kNameCaption, L"lumeq gamma", {0, 1485, 1215, 240}, SS_LEFT, FontRole::NameCaption, Fit::Caption);

    m_fields[Field::LevelCaption] = m_levelCaption;

    m_popupMenu.Reset(BuildPopupMenu());
    m_panels.Create(m_instance, m_hwnd, m_layout, m_core);
    m_screenshotControls.Create(m_instance, m_hwnd, m_layout,
                                {[this] { OpenScreenshotsFolder(); },
                                 [this] {
                                     SetFixedSize();
                                     KeepOnScreen();
                                 }});
    SetCaptionColour(CaptionColour(false));
    FitStrip();

    // Last, once every control exists: the banner behind everything, and the strip of
    // labels just above it, so that whatever the layout puts over them (the screenshot
    // count, the panels) is seen.
    SetWindowPos(m_nameCaption, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(m_banner, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MainWindow::CreateHiddenControls() {
    // The hidden mirrors of the core's state, stacked beyond the visible area, with what
    // the core has told them so far.
    int row = 0;
    auto field = [&](int id, const std::wstring& text) {
        return m_layout.Create(m_instance, m_hwnd, L"STATIC", text.c_str(), 0, id,
                               {kHiddenAreaLeftTwips, 300 * row++, 1500, 285});
    };
    for (const HiddenField& hidden : kHiddenFields) {
        const auto told = m_fieldTexts.find(hidden.field);
        m_fields[hidden.field] = field(hidden.id, told != m_fieldTexts.end() ? told->second : Widen(InitialText(hidden.field)));
    }
    field(ids::kFolderField, m_screenshots.Folder());
    field(ids::kPatternField, L"*.jpg");

    m_levelSlider = m_layout.Create(m_instance, m_hwnd, TRACKBAR_CLASSW, L"", TBS_HORZ | TBS_AUTOTICKS,
                                    ids::kLevelSlider, {kHiddenAreaLeftTwips + 1700, 400, 1800, 400});
    ShowLevel(m_shownLevel);
}

void MainWindow::SetFixedSize() {
    RECT was{};
    GetWindowRect(m_hwnd, &was);
    if (was.right - was.left != m_layout.Pixels(kWindowWidthTwips) ||
        was.bottom - was.top != m_layout.Pixels(kWindowHeightTwips))
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

void MainWindow::RemoveMaximiseAndSystemMenuEntry() {
    const LONG style = GetWindowLongW(m_hwnd, GWL_STYLE);
    SetWindowLongW(m_hwnd, GWL_STYLE, style & ~static_cast<LONG>(WS_MAXIMIZEBOX));
    constexpr UINT kSystemMenuEntryToRemove = 2;  // by position
    if (HMENU systemMenu = GetSystemMenu(m_hwnd, FALSE))
        RemoveMenu(systemMenu, kSystemMenuEntryToRemove, MF_BYPOSITION | MF_REMOVE);
}

void MainWindow::OnDpiChanged(int dpi, const RECT* suggested) {
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

void MainWindow::FitStrip() {
    // The banner's bottom strip; the level's label keeps its place as the level changes.
    m_layout.FitChildren(m_hwnd, {0, 0, kBannerWidthTwips, kBannerHeightTwips}, 0);
}

void MainWindow::ExitSequence(bool unregisterHotKeys) {
    m_core.Leave();
    // The last screenshot stays on the clipboard after the program has gone.
    m_screenshots.Clipboard().RenderAll(m_hwnd);
    m_tray.Delete();
    if (unregisterHotKeys) {
        for (int id = 0; id < static_cast<int>(m_hotKeyTaken.size()); ++id)
            if (m_hotKeyTaken[static_cast<std::size_t>(id)]) UnregisterHotKey(m_hwnd, id);
    }
    // Ends at once: no close request, timer or other event of any window runs after this.
    ExitProcess(0);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
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
        case WM_CTLCOLORSTATIC:
            return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_HSCROLL:
            // Only the slider's own input reaches here: setting its position from code sends
            // no notification. The end of a drag repeats the last position and is skipped.
            if (m_levelSlider && reinterpret_cast<HWND>(lParam) == m_levelSlider && LOWORD(wParam) != TB_ENDTRACK)
                m_core.OnSliderInput(static_cast<int>(SendMessageW(m_levelSlider, TBM_GETPOS, 0, 0)));
            return 0;
        case WM_TIMER:
            if (wParam >= TimerIdentifier(TimerId::WatcherRearm) && wParam <= TimerIdentifier(TimerId::ForegroundLook))
                m_core.OnTimer(static_cast<TimerId>(wParam - 1));
            return 0;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item->hwndItem != m_banner) return FALSE;
            DrawBanner(item->hDC, item->rcItem, m_layout.Dpi());
            return TRUE;
        }
        case WM_CLOSE:
            // Brings the icon back if it was lost; fails harmlessly while it exists.
            m_tray.Fill();
            m_tray.Add();
            m_core.OnCloseRequest();
            return 0;
        case WM_RENDERFORMAT:
            if (wParam == CF_BITMAP) m_screenshots.Clipboard().Render();
            return 0;
        case WM_RENDERALLFORMATS:
            m_screenshots.Clipboard().RenderAll(m_hwnd);
            return 0;
        case WM_DESTROYCLIPBOARD:
            m_screenshots.Clipboard().Forget();
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam) ExitSequence(/*unregisterHotKeys=*/true);  // Windows is ending the session
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_DISPLAYCHANGE:
            m_display.Refresh();    // displays may have come or gone
            m_core.OnDisplaysChanged();  // and a mode change resets the ramps
            return DefWindowProcW(m_hwnd, message, wParam, lParam);
        case WM_POWERBROADCAST:
            if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) m_core.OnDisplaysChanged();
            return TRUE;
        case WM_WTSSESSION_CHANGE:
            // Back from the secure desktop (Win+L), where every set of a ramp fails.
            if (wParam == WTS_SESSION_UNLOCK) m_core.OnDisplaysChanged();
            return 0;
        default:
#ifdef LUMEQ_TEST_TRIGGERS
            if (message == kTestCrashMessage) *static_cast<volatile int*>(nullptr) = 0;  // a crash in a handler
            if (message == kTestDpiMessage) OnDpiChanged(static_cast<int>(wParam), nullptr);  // another monitor
            if (message == kTestRefuseMessage) static_cast<RefusableDisplays&>(m_displays).RefuseNextWrites(static_cast<int>(wParam));
#endif
            if (m_tray.IsTaskbarCreated(message)) {
                m_tray.OnTaskbarCreated();
                return 0;
            }
            return DefWindowProcW(m_hwnd, message, wParam, lParam);
    }
}

void MainWindow::OnControlCommand(int id, int code) {
    if (m_panels.OnCommand(id, code) || m_screenshotControls.OnCommand(id, code)) return;
    if (code == STN_CLICKED && (id == ids::kBanner || id == ids::kNameCaption)) OpenSite();
}

LRESULT MainWindow::OnCtlColorStatic(HDC dc, HWND control) {
    if (const auto brush = m_screenshotControls.OnCtlColor(dc, control)) return *brush;
    if (const auto brush = m_panels.OnCtlColor(dc, control)) return *brush;
    COLORREF text = 0;
    if (control == m_nameCaption)
        text = kNameCaptionText;
    else if (control == m_signatureCaption)
        text = kSignatureCaptionText;
    else if (control == m_levelCaption)
        text = kLevelCaptionText;
    else
        return DefWindowProcW(m_hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    SetTextColor(dc, text);
    SetBkColor(dc, m_stripColour);
    return reinterpret_cast<LRESULT>(m_stripBrush.Get());
}

// ----- hot keys -----

void MainWindow::RegisterHotKeys() {
    for (int id = 0; id < static_cast<int>(m_hotKeyTaken.size()); ++id)
        m_hotKeyTaken[static_cast<std::size_t>(id)] =
            RegisterHotKey(m_hwnd, id, MOD_CONTROL, VK_F1 + static_cast<UINT>(id)) != FALSE;
}

void MainWindow::PumpWaitingMessages() {
    // Asking whether anything waits is cheaper than looking into an empty queue (which
    // under Wine also flushes every window's pending drawing).
    if (LOWORD(GetQueueStatus(QS_ALLINPUT)) == 0) return;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void MainWindow::DispatchHotKey(int id) {
    // Back to the normal state without showing a hidden window, and without taking
    // activation from the game in front; then what waits runs once before the key acts.
    if (IsWindowVisible(m_hwnd) && IsIconic(m_hwnd)) ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
    PumpWaitingMessages();
    m_core.DispatchHotKey(id);
}

// ----- what the core asks of the window -----

void MainWindow::SetField(Field field, std::string_view text) {
    std::wstring wide = Widen(text);
    const auto found = m_fields.find(field);
    if (found != m_fields.end()) SetWindowTextW(found->second, wide.c_str());
    m_fieldTexts[field] = std::move(wide);
}

void MainWindow::SetCaptionColour(Rgb colour) {
    m_stripColour = RGB(colour.red, colour.green, colour.blue);
    m_stripBrush.Reset(CreateSolidBrush(m_stripColour));
    for (HWND label : {m_nameCaption, m_signatureCaption, m_levelCaption}) InvalidateRect(label, nullptr, TRUE);
}

void MainWindow::Window(WindowRequest request) {
    switch (request) {
        case WindowRequest::Show: ShowWindow(m_hwnd, SW_SHOW); break;
        case WindowRequest::Hide: ShowWindow(m_hwnd, SW_HIDE); break;
        case WindowRequest::BringBack: {
            // Back to the front in its normal state. Passing through the maximised and
            // minimised states on the way would only flash a fixed-size window.
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
            break;
        }
    }
}

void MainWindow::OpenPopup() { TrayIcon::ShowPopup(m_popupMenu.Get(), m_hwnd); }

// The strip's timer is its own window's: no timer outlives the window it belongs to.
void MainWindow::Start(TimerId timer, unsigned ms) {
    if (timer == TimerId::StripHide)
        m_strip.StartTimer(ms);
    else
        SetTimer(m_hwnd, TimerIdentifier(timer), ms, nullptr);
}

void MainWindow::Stop(TimerId timer) {
    if (timer == TimerId::StripHide)
        m_strip.StopTimer();
    else
        KillTimer(m_hwnd, TimerIdentifier(timer));
}

// The trackbar is never on screen, so it is never asked to draw itself again: that costs a
// call to the window system, in the middle of every hot-key step.
void MainWindow::ShowLevel(const LevelState& level) {
    m_shownLevel = level;
    if (!m_levelSlider) return;
    SendMessageW(m_levelSlider, TBM_SETRANGEMIN, FALSE, level.minimum);
    SendMessageW(m_levelSlider, TBM_SETRANGEMAX, FALSE, level.maximum);
    SendMessageW(m_levelSlider, TBM_SETTICFREQ, level.tickFrequency, 0);
    SendMessageW(m_levelSlider, TBM_SETPOS, FALSE, level.level);
    EnableWindow(m_levelSlider, level.enabled);
}

std::vector<ProcessEntry> MainWindow::ListProcesses() {
    return ListProcessesFromSnapshot([this] { PumpWaitingMessages(); });
}

}  // namespace lumeq
