#include "win32/screenshot_controls_win32.h"

#include "win32/text_win32.h"
#include "win32/control_ids.h"

namespace lumeq {

namespace {
constexpr COLORREF kCountText = 0x000000C0;        // red
constexpr COLORREF kCountBackground = 0x0044584C;  // the banner's green grey
}  // namespace

void ScreenshotControls::Create(HINSTANCE instance, HWND parent, ScaledLayout& layout, Actions actions) {
    m_layout = &layout;
    m_actions = std::move(actions);
    m_screenNuevasBrush.Reset(CreateSolidBrush(kCountBackground));
    m_ScreenNuevas = layout.Create(instance, parent, L"STATIC", L"x nuevas screens", WS_CLIPSIBLINGS | SS_LEFT,
                                   ids::ScreenNuevas, {0, 1260, 1905, 195}, FontRole::ScreenNuevas);

    const HWND frame = m_Frame3.Create(instance, parent, ids::Frame3, layout, {0, 0, 2400, 1500});
    auto control = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int id, TwipsRect rect, Fit fit) {
        return layout.Create(instance, frame, cls, text, WS_VISIBLE | style, id, rect, FontRole::Panel, fit);
    };
    control(L"BUTTON", L" Advertencia : ", BS_GROUPBOX, 0, {0, 0, 2400, 1500}, Fit::FillsPanel);
    m_Label6 = control(L"STATIC", L"El directorio Screenshots contiene un total de:", SS_LEFT, ids::Label6,
                       {45, 270, 2310, 375}, Fit::WrappingCaption);
    m_Label7 = control(L"STATIC", L"El tamaño total de los archivos es de: ", SS_LEFT, ids::Label7,
                       {45, 720, 2220, 510}, Fit::WrappingCaption);
    control(L"BUTTON", L"Abrir directorio", BS_PUSHBUTTON | WS_TABSTOP, ids::Command2, {45, 1170, 1275, 240},
            Fit::Caption);
    control(L"BUTTON", L"ok", BS_PUSHBUTTON | WS_TABSTOP, ids::btadveroOK, {1935, 1170, 420, 240}, Fit::Caption);
}

void ScreenshotControls::ShowCount(std::string_view text) {
    SetWindowTextW(m_ScreenNuevas, Widen(text).c_str());
    // Above the banner, and never taking the focus.
    SetWindowPos(m_ScreenNuevas, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void ScreenshotControls::ShowWarning(std::string_view countText, std::string_view sizeText) {
    SetWindowPos(m_Frame3.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    SetWindowTextW(m_Label6, Widen(countText).c_str());
    SetWindowTextW(m_Label7, Widen(sizeText).c_str());
    m_layout->FitPanel(m_Frame3.Handle());  // the new captions may need more lines
    if (m_actions.warningResized) m_actions.warningResized();
}

void ScreenshotControls::HideWarning() { ShowWindow(m_Frame3.Handle(), SW_HIDE); }

bool ScreenshotControls::OnCommand(int id, int code) {
    if (code != BN_CLICKED) return false;
    switch (id) {
        case ids::Command2:
            if (m_actions.openFolder) m_actions.openFolder();
            return true;
        case ids::btadveroOK:
            HideWarning();
            return true;
        default:
            return false;
    }
}

std::optional<LRESULT> ScreenshotControls::OnCtlColor(HDC dc, HWND control) const {
    if (control != m_ScreenNuevas) return std::nullopt;
    SetTextColor(dc, kCountText);
    SetBkColor(dc, kCountBackground);
    return reinterpret_cast<LRESULT>(m_screenNuevasBrush.Get());
}

}  // namespace lumeq
