#include "win32/panel_win32.h"

#include "win32/unique_handle_win32.h"

namespace lumeq {

HWND Panel::Create(HINSTANCE instance, HWND parent, int id, ScaledLayout& layout, TwipsRect rect) {
    const PixelRect at = TwipsToPixels(rect, layout.Dpi());
    WindowClassLook look;
    look.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    // Not WS_CLIPCHILDREN: the frame drawn round a panel is a child that covers it whole
    // and paints no background of its own, so the panel paints it underneath.
    CreateBase(instance, L"lumeqPanel", look, WS_EX_CONTROLPARENT, L"", WS_CHILD | WS_CLIPSIBLINGS, at.left, at.top,
               at.width, at.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
    return layout.Add(m_hwnd, rect, FontRole::None, Fit::Panel);
}

LRESULT Panel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return SendMessageW(GetParent(m_hwnd), message, wParam, lParam);
        case WM_PAINT: {
            PaintGuard paint(m_hwnd);
            RECT frame{};
            GetClientRect(m_hwnd, &frame);
            DrawEdge(paint.Get(), &frame, EDGE_ETCHED, BF_RECT);
            return 0;
        }
        default:
            return DefWindowProcW(m_hwnd, message, wParam, lParam);
    }
}

}  // namespace lumeq
