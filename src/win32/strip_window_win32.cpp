#include "win32/strip_window_win32.h"

#include <algorithm>

#include "win32/control_ids.h"
#include "ui/scaling.h"
#include "indicator/indicator_strip.h"
#include "win32/dpi_win32.h"
#include "win32/text_win32.h"
#include "win32/ui_style_win32.h"

namespace lumeq {

namespace {
constexpr wchar_t kClassName[] = L"FormIndicador";
constexpr UINT_PTR kStripHideTimer = 1;

constexpr COLORREF FromRgb(std::uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }
// The panel's inside and the text, as the core describes the strip.
const COLORREF kBackground = FromRgb(IndicatorPanelPixel(1, 1, 3, 3));
const COLORREF kLabelText = FromRgb(kStripTextColour);
}  // namespace

void StripWindow::Create(HINSTANCE instance, int dpi, std::function<void()> onStripHide) {
    m_dpi = dpi;
    m_onStripHide = std::move(onStripHide);
    m_background.Reset(CreateSolidBrush(kBackground));
    WindowClassLook look;
    look.background = m_background.Get();
    // Topmost, not activated by clicks or by showing, no taskbar button, no Alt+Tab.
    const StripLayout strip = LayOutStrip(m_dpi, 0, 0);
    CreateBase(instance, kClassName, look, WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"Gamma", WS_POPUP, 0,
               Twips(50), strip.window.width, strip.window.height, nullptr, nullptr);
    if (!m_hwnd) return;

    // One line, never wrapped: the strip is made as wide as the text needs.
    m_stripText = CreateWindowExW(0, L"STATIC", L"xX", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX,
                               strip.label.left, strip.label.top, strip.label.width, strip.label.height, m_hwnd,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids::kStripText)), instance, nullptr);
    SetDpi(m_dpi);
    Load();
}

void StripWindow::SetDpi(int dpi) {
    m_dpi = dpi;
    m_font = MakeUiFont(m_dpi);
    SendMessageW(m_stripText, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), FALSE);
}

void StripWindow::Load() {
    SetWindowPos(m_hwnd, nullptr, 0, Twips(50), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWithoutActivating();
    ShowWindow(m_hwnd, SW_HIDE);
    const StripLayout strip = LayOutStrip(m_dpi, 0, 0);
    SetWindowPos(m_hwnd, HWND_TOPMOST, ScalePixels(100, m_dpi), ScalePixels(20, m_dpi), strip.window.width,
                 strip.window.height, SWP_NOACTIVATE);
}

void StripWindow::ParkOffScreen() {
    ShowWithoutActivating();
    SetTop(-50000);
}

void StripWindow::Show(std::string_view text) {
    if (!m_hwnd) return;
    m_text = Widen(text);
    // Onto the main screen first (it may be parked far above every screen), so that the
    // DPI it is laid out at is that monitor's.
    SetWindowPos(m_hwnd, HWND_TOPMOST, ScalePixels(100, m_dpi), Twips(50), 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    if (const int dpi = WindowDpi(m_hwnd); dpi != m_dpi) SetDpi(dpi);
    LayOut();
    ShowWithoutActivating();
}

void StripWindow::Hide() { ShowWindow(m_hwnd, SW_HIDE); }

void StripWindow::StartTimer(unsigned ms) {
    // Nothing to count for, and above all no timer without the window to own it.
    if (m_hwnd) SetTimer(m_hwnd, kStripHideTimer, ms, nullptr);
}

void StripWindow::StopTimer() {
    if (m_hwnd) KillTimer(m_hwnd, kStripHideTimer);
}

void StripWindow::LayOut() {
    // The room the text takes in the strip's font at its DPI.
    SIZE extent{};
    {
        WindowDC dc(m_stripText);
        SelectedObject font(dc.Get(), m_font.Get());
        GetTextExtentPoint32W(dc.Get(), m_text.c_str(), static_cast<int>(m_text.size()), &extent);
    }
    const StripLayout strip = LayOutStrip(m_dpi, extent.cx, extent.cy);
    SetWindowPos(m_stripText, nullptr, strip.label.left, strip.label.top, strip.label.width, strip.label.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowTextW(m_stripText, m_text.c_str());
    SetWindowPos(m_hwnd, HWND_TOPMOST, strip.window.left, strip.window.top, strip.window.width, strip.window.height,
                 SWP_NOACTIVATE);
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void StripWindow::SetTop(int twips) {
    RECT rect{};
    GetWindowRect(m_hwnd, &rect);
    SetWindowPos(m_hwnd, nullptr, rect.left, Twips(twips), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void StripWindow::ShowWithoutActivating() {
    ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
    SetWindowPos(m_hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void StripWindow::OnPaint() {
    PaintGuard paint(m_hwnd);
    HDC dc = paint.Get();
    RECT client{};
    GetClientRect(m_hwnd, &client);
    // The raised panel, its edges as thick as a pixel is at this DPI: inside, light top
    // and left edges, dark right and bottom edges (the picture of a 3 x 3 panel, scaled).
    const int edge = std::max(1, ScalePixels(1, m_dpi));
    const int columns[4] = {0, edge, static_cast<int>(client.right) - edge, static_cast<int>(client.right)};
    const int rows[4] = {0, edge, static_cast<int>(client.bottom) - edge, static_cast<int>(client.bottom)};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            UniqueBrush brush(CreateSolidBrush(FromRgb(IndicatorPanelPixel(column, row, 3, 3))));
            RECT part{columns[column], rows[row], columns[column + 1], rows[row + 1]};
            FillRect(dc, &part, brush.Get());
        }
    }
}

LRESULT StripWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_TIMER:
            if (wParam == kStripHideTimer && m_onStripHide) m_onStripHide();
            return 0;
        case WM_DPICHANGED:
            // Its monitor's scaling changed: the font and the layout follow.
            SetDpi(HIWORD(wParam));
            if (IsWindowVisible(m_hwnd)) LayOut();
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
