#pragma once
// The notification-area icon and its receiver `pichook`, a small child window of the
// main window outside its visible area: the shell's callback reaches it as a
// left-button-down message whose lParam is the mouse message that happened on the icon.
// The icon owns its popup menu, and adds itself again when the shell restarts.
#include <windows.h>
#include <shellapi.h>

#include <functional>

#include "win32/unique_handle_win32.h"
#include "win32/base_window_win32.h"

namespace lumeq {

class TrayIcon : public BaseWindow<TrayIcon> {
public:
    using EventHandler = std::function<void(int code)>;

    // The popup exists from the start (the core sets its entries); the receiver and the
    // icon may come later.
    void AdoptPopup(HMENU popup) { m_popupMenu.Reset(popup); }
    bool Create(HINSTANCE instance, HWND parent, int left, int top, EventHandler onEvent);
    // Fills the record completely (tip, id 1, callback, the icon at the system's small size).
    void Fill();
    // NIM_ADD with the record; fails harmlessly while the icon exists.
    void Add();
    void Delete();
    // The shell restarted (its "TaskbarCreated" broadcast, which reaches only the main
    // window) and forgot every icon.
    void OnTaskbarCreated() { Add(); }
    bool IsTaskbarCreated(UINT message) const { return m_taskbarCreated != 0 && message == m_taskbarCreated; }
    // The popup at the pointer, on behalf of `owner`, which gets its commands.
    void ShowPopup(HWND owner) const;
    HMENU Popup() const { return m_popupMenu.Get(); }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void OnMouse(LPARAM lParam);

    UniqueIcon m_icon;
    UniqueMenu m_popupMenu;  // the icon's popup, never on the menu bar
    NOTIFYICONDATAW m_record{};
    EventHandler m_onEvent;
    UINT m_taskbarCreated = 0;
};

}  // namespace lumeq
