#include "indicator/form_indicador.h"

#include <algorithm>

#include "app/control_ids.h"
#include "indicator/indicator_text.h"
#include "platform/text.h"
#include "platform/ui_style.h"
#include "platform/window_proc.h"

namespace lumeq {

namespace {
constexpr wchar_t kClassName[] = L"FormIndicador";
constexpr COLORREF kBackground = 0x0044584C;
constexpr COLORREF kLabelText = 0x00E0E0E0;
constexpr int kStripWidthPx = 231;
constexpr int kStripHeightPx = 17;
constexpr UINT kHideAfterMs = 8000;

COLORREF FromRgb(std::uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }
}  // namespace

void FormIndicador::Create(HINSTANCE instance, int dpi) {
    m_instance = instance;
    m_dpi = dpi;
    m_background.Reset(CreateSolidBrush(kBackground));

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &WindowProcOf<FormIndicador>;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(m_background.Get());
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);

    // Topmost, not activated by clicks or by showing, no taskbar button, no Alt+Tab.
    CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName, L"Gamma", WS_POPUP, 0,
                    Twips(50), kStripWidthPx, kStripHeightPx, nullptr, nullptr, instance, this);
    if (!m_hwnd) return;

    m_font = MakeUiFont(m_dpi);
    // The label stays inside the panel's border so that the raised edge shows whole.
    const int labelLeft = Twips(90);
    const int labelTop = Twips(20);
    const int labelWidth = std::min(Twips(3570), kStripWidthPx - 1 - labelLeft);
    const int labelHeight = std::min(Twips(195), kStripHeightPx - 1 - labelTop);
    m_Label1 = CreateWindowExW(0, L"STATIC", L"xX", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, labelLeft,
                               labelTop, labelWidth, labelHeight, m_hwnd,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids::Label1)), instance, nullptr);
    SendMessageW(m_Label1, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), FALSE);
    Form_Load();
}

void FormIndicador::Form_Load() {
    SetWindowPos(m_hwnd, nullptr, 0, Twips(50), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWithoutActivating();
    ShowWindow(m_hwnd, SW_HIDE);
    SetWindowPos(m_hwnd, HWND_TOPMOST, 100, 20, kStripWidthPx, kStripHeightPx, SWP_NOACTIVATE);
}

void FormIndicador::ParkOffScreen() {
    ShowWithoutActivating();
    SetTop(-50000);
}

void FormIndicador::ShowLevel(std::string_view levelText, bool refused) {
    ShowText(IndicatorText(levelText, refused));
}

void FormIndicador::ShowText(std::string_view text) {
    SetTop(50);
    RECT rect{};
    GetWindowRect(m_hwnd, &rect);
    SetWindowPos(m_hwnd, HWND_TOPMOST, 0, 0, Twips(3460), rect.bottom - rect.top, SWP_NOMOVE | SWP_NOACTIVATE);
    ShowWithoutActivating();
    SetTimer(m_hwnd, ids::Timer1, kHideAfterMs, nullptr);
    SetWindowTextW(m_Label1, Widen(text).c_str());
}

void FormIndicador::btMostrar_Click() {
    SetTop(50);
    ShowWithoutActivating();
    SetTimer(m_hwnd, ids::Timer1, kHideAfterMs, nullptr);
}

void FormIndicador::btIniciar_Click() {
    SetTop(50);
    ShowWithoutActivating();
    ShowWindow(m_hwnd, SW_HIDE);
}

void FormIndicador::Timer1_Timer() {
    ShowWindow(m_hwnd, SW_HIDE);
    KillTimer(m_hwnd, ids::Timer1);
}

void FormIndicador::SetTop(int twips) {
    RECT rect{};
    GetWindowRect(m_hwnd, &rect);
    SetWindowPos(m_hwnd, nullptr, rect.left, Twips(twips), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormIndicador::ShowWithoutActivating() {
    ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
    SetWindowPos(m_hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void FormIndicador::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hwnd, &paint);
    RECT client{};
    GetClientRect(m_hwnd, &client);
    const int width = std::min<int>(client.right, kStripWidthPx);
    const int height = std::min<int>(client.bottom, kStripHeightPx);
    // The raised panel: inside, light top and left edges, dark right and bottom edges.
    UniqueGdiObject inside(CreateSolidBrush(FromRgb(IndicatorPanelPixel(1, 1, width, height))));
    RECT fill{0, 0, client.right, client.bottom};
    FillRect(dc, &fill, static_cast<HBRUSH>(inside.Get()));
    for (int x = 0; x < width; ++x) {
        SetPixelV(dc, x, 0, FromRgb(IndicatorPanelPixel(x, 0, width, height)));
        SetPixelV(dc, x, height - 1, FromRgb(IndicatorPanelPixel(x, height - 1, width, height)));
    }
    for (int y = 1; y < height - 1; ++y) {
        SetPixelV(dc, 0, y, FromRgb(IndicatorPanelPixel(0, y, width, height)));
        SetPixelV(dc, width - 1, y, FromRgb(IndicatorPanelPixel(width - 1, y, width, height)));
    }
    EndPaint(m_hwnd, &paint);
}

LRESULT FormIndicador::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_TIMER:
            if (wParam == ids::Timer1) Timer1_Timer();
            return 0;
        case WM_CTLCOLORSTATIC:
            SetTextColor(reinterpret_cast<HDC>(wParam), kLabelText);
            SetBkColor(reinterpret_cast<HDC>(wParam), kBackground);
            return reinterpret_cast<LRESULT>(m_background.Get());
        default:
            return DefWindowProcW(m_hwnd, message, wParam, lParam);
    }
}

}  // namespace lumeq
