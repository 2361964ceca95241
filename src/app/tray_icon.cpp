#include "app/tray_icon.h"

#include "app/tray_model.h"
#include "platform/window_proc.h"

namespace lumeq {

namespace {
constexpr wchar_t kClassName[] = L"pichook";
constexpr UINT kIconId = 1;
constexpr UINT kCallbackMessage = WM_LBUTTONDOWN;
}  // namespace

bool TrayIcon::Create(HINSTANCE instance, HWND parent, int left, int top, EventHandler onEvent) {
    m_instance = instance;
    m_onEvent = std::move(onEvent);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &WindowProcOf<TrayIcon>;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
    m_pichook = CreateWindowExW(0, kClassName, L"", WS_CHILD, left, top, 32, 32, parent, nullptr, instance, this);
    m_imgIcon.Reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 16, 16, 0)));
    return m_pichook != nullptr;
}

void TrayIcon::Fill() {
    m_record = NOTIFYICONDATAW{};
    // The first form of the record: a 64-character tip.
    m_record.cbSize = NOTIFYICONDATAW_V1_SIZE;
    m_record.hWnd = m_pichook;
    m_record.uID = kIconId;
    m_record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_record.uCallbackMessage = kCallbackMessage;
    m_record.hIcon = m_imgIcon.Get();
    const auto tip = TrayTip();
    for (std::size_t i = 0; i < tip.size(); ++i) m_record.szTip[i] = static_cast<wchar_t>(tip[i]);
}

void TrayIcon::Add() { Shell_NotifyIconW(NIM_ADD, &m_record); }

void TrayIcon::Delete() { Shell_NotifyIconW(NIM_DELETE, &m_record); }

void TrayIcon::pichook_MouseDown(LPARAM lParam) {
    if (m_onEvent) m_onEvent(static_cast<int>(LOWORD(lParam)));
}

LRESULT TrayIcon::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kCallbackMessage) return DefWindowProcW(m_pichook, message, wParam, lParam);
    pichook_MouseDown(lParam);
    return 0;
}

}  // namespace lumeq
