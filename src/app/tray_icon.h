#pragma once
// The notification-area icon and its receiver `pichook`, a small child window of the
// main window outside its visible area: the shell's callback reaches it as a
// left-button-down message whose lParam is the mouse message that happened on the icon.
#include <windows.h>
#include <shellapi.h>

#include <functional>

#include "platform/unique_handle.h"

namespace lumeq {

class TrayIcon {
public:
    using EventHandler = std::function<void(int code)>;

    TrayIcon() = default;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    bool Create(HINSTANCE instance, HWND parent, int left, int top, EventHandler onEvent);
    // Fills the record completely (tip, id 1, callback, the 16 x 16 icon).
    void Fill();
    // NIM_ADD with the record; fails harmlessly while the icon exists.
    void Add();
    void Delete();

    HWND Handle() const { return m_pichook; }

private:
    template <typename Window>
    friend LRESULT CALLBACK WindowProcOf(HWND, UINT, WPARAM, LPARAM) noexcept;
    void AttachWindow(HWND window) { m_pichook = window; }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void pichook_MouseDown(LPARAM lParam);

    HINSTANCE m_instance = nullptr;
    HWND m_pichook = nullptr;
    UniqueIcon m_imgIcon;
    NOTIFYICONDATAW m_record{};
    EventHandler m_onEvent;
};

}  // namespace lumeq
