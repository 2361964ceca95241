#include "win32/tray_icon_win32.h"

#include <commctrl.h>

#include "app/tray_model.h"

namespace lumeq {

namespace {
constexpr wchar_t kClassName[] = L"pichook";
constexpr UINT kIconId = 1;
constexpr UINT kCallbackMessage = WM_LBUTTONDOWN;
constexpr int kReceiverSize = 32;
}  // namespace

bool TrayIcon::Create(HINSTANCE instance, HWND parent, int left, int top, EventHandler onEvent) {
    m_onEvent = std::move(onEvent);
    m_taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    // Run as administrator, the program would not hear a restarted Explorer's broadcast
    // (it comes from a lesser process) and its icon would not come back.
    if (m_taskbarCreated) ChangeWindowMessageFilterEx(parent, m_taskbarCreated, MSGFLT_ALLOW, nullptr);
    CreateBase(instance, kClassName, WindowClassLook{}, 0, L"", WS_CHILD, left, top, kReceiverSize, kReceiverSize,
               parent, nullptr);
    // The notification area's size at this DPI (16 to 32 pixels), drawn from the resource's
    // own image of that size rather than a 16-pixel one stretched.
    HICON icon = nullptr;
    if (FAILED(LoadIconMetric(instance, MAKEINTRESOURCEW(1), LIM_SMALL, &icon)) || !icon)
        icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), 0));
    m_icon.Reset(icon);
    return m_hwnd != nullptr;
}

void TrayIcon::Fill() {
    m_record = NOTIFYICONDATAW{};
    // The first form of the record: a 64-character tip.
    m_record.cbSize = NOTIFYICONDATAW_V1_SIZE;
    m_record.hWnd = m_hwnd;
    m_record.uID = kIconId;
    m_record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_record.uCallbackMessage = kCallbackMessage;
    m_record.hIcon = m_icon.Get();
    const auto tip = TrayTip();
    for (std::size_t i = 0; i < tip.size(); ++i) m_record.szTip[i] = static_cast<wchar_t>(tip[i]);
}

// Fails harmlessly while the icon exists, and when the shell has no notification area
// yet: TaskbarCreated brings it back then.
void TrayIcon::Add() { Shell_NotifyIconW(NIM_ADD, &m_record); }

void TrayIcon::Delete() { Shell_NotifyIconW(NIM_DELETE, &m_record); }

void TrayIcon::ShowPopup(HMENU popup, HWND owner) {
    POINT pointer{};
    GetCursorPos(&pointer);
    // Without the foreground the menu would not close when the user clicks elsewhere;
    // the WM_NULL afterwards lets the menu loop see that it has ended.
    SetForegroundWindow(owner);
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_LEFTBUTTON, pointer.x, pointer.y, 0, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
}

void TrayIcon::OnMouse(LPARAM lParam) {
    if (m_onEvent) m_onEvent(static_cast<int>(LOWORD(lParam)));
}

LRESULT TrayIcon::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kCallbackMessage) return DefWindowProcW(m_hwnd, message, wParam, lParam);
    OnMouse(lParam);
    return 0;
}

}  // namespace lumeq
