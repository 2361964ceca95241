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
    m_newScreenshotsBrush.Reset(CreateSolidBrush(kCountBackground));
    m_newScreenshots = layout.Create(instance, parent, L"STATIC", L"x nuevas screens", WS_CLIPSIBLINGS | SS_LEFT,
                                   ids::kNewScreenshots, {0, 1260, 1905, 195}, FontRole::NewScreenshots);

    auto warning = m_folderWarning.Create(instance, parent, WarningPanel(), layout);
    m_folderCountLine = warning["Label6"];
    m_folderSizeLine = warning["Label7"];
}

void ScreenshotControls::ShowCount(std::string_view text) {
    SetWindowTextW(m_newScreenshots, Widen(text).c_str());
    // Above the banner, and never taking the focus.
    SetWindowPos(m_newScreenshots, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void ScreenshotControls::ShowWarning(std::string_view countText, std::string_view sizeText) {
    SetWindowPos(m_folderWarning.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    SetWindowTextW(m_folderCountLine, Widen(countText).c_str());
    SetWindowTextW(m_folderSizeLine, Widen(sizeText).c_str());
    m_layout->FitPanel(m_folderWarning.Handle());  // the new captions may need more lines
    if (m_actions.warningResized) m_actions.warningResized();
}

void ScreenshotControls::HideWarning() { ShowWindow(m_folderWarning.Handle(), SW_HIDE); }

bool ScreenshotControls::OnCommand(int id, int code) {
    if (code != BN_CLICKED) return false;
    switch (id) {
        case ids::kOpenFolderButton:
            if (m_actions.openFolder) m_actions.openFolder();
            return true;
        case ids::kWarningOkButton:
            HideWarning();
            return true;
        default:
            return false;
    }
}

std::optional<LRESULT> ScreenshotControls::OnCtlColor(HDC dc, HWND control) const {
    if (control != m_newScreenshots) return std::nullopt;
    SetTextColor(dc, kCountText);
    SetBkColor(dc, kCountBackground);
    return reinterpret_cast<LRESULT>(m_newScreenshotsBrush.Get());
}

}  // namespace lumeq
