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

    auto warning = m_Frame3.Create(instance, parent, WarningPanel(), layout);
    m_Label6 = warning["Label6"];
    m_Label7 = warning["Label7"];
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
