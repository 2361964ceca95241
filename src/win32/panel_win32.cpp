#include "win32/panel_win32.h"

#include "win32/control_ids.h"
#include "win32/text_win32.h"
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

std::map<std::string_view, HWND> Panel::Create(HINSTANCE instance, HWND parent, const PanelLayout& plan,
                                               ScaledLayout& layout) {
    const HWND panel = Create(instance, parent, ids::ControlIdNamed(plan.name), layout, plan.rect);
    std::map<std::string_view, HWND> controls;
    if (!plan.caption.empty())
        layout.Create(instance, panel, L"BUTTON", Widen(plan.caption).c_str(), WS_VISIBLE | BS_GROUPBOX, 0,
                      plan.rect, FontRole::Panel, Fit::FillsPanel);
    for (const ControlLayout& control : plan.controls) {
        const wchar_t* cls = L"BUTTON";
        DWORD style = WS_VISIBLE;
        DWORD exStyle = 0;
        Fit fit = Fit::Caption;
        switch (control.kind) {
            case ControlKind::WrappingLabel:
                cls = L"STATIC";
                style |= SS_LEFT;
                fit = Fit::WrappingCaption;
                break;
            case ControlKind::NameBox:
                cls = L"EDIT";
                style |= ES_AUTOHSCROLL | WS_TABSTOP;
                exStyle = WS_EX_CLIENTEDGE;
                break;
            case ControlKind::Button: style |= BS_PUSHBUTTON | WS_TABSTOP; break;
            case ControlKind::CheckBox: style |= BS_AUTOCHECKBOX | WS_TABSTOP; break;
        }
        controls[control.name] = layout.Create(instance, panel, cls, Widen(control.caption).c_str(), style,
                                               ids::ControlIdNamed(control.name), control.rect, FontRole::Panel, fit,
                                               exStyle);
    }
    layout.FitPanel(panel);
    return controls;
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
