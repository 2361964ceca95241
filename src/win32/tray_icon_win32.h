#pragma once
// The notification-area icon and its receiver `pichook`, a small child window of the
// main window outside its visible area: the shell's callback reaches it as a
// left-button-down message whose lParam is the mouse message that happened on the icon.
// The icon shows the main window's popup menu, and adds itself again when the shell restarts.
#include <windows.h>
#include <shellapi.h>

#include <functional>

#include "win32/unique_handle_win32.h"
#include "win32/base_window_win32.h"

namespace lumeq {

class TrayIcon : public BaseWindow<TrayIcon> {
public:
    using EventHandler = std::function<void(int code)>;

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
    // `popup` at the pointer, on behalf of `owner`, which gets its commands.
    static void ShowPopup(HMENU popup, HWND owner);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void OnMouse(LPARAM lParam);

    UniqueIcon m_icon;
    NOTIFYICONDATAW m_record{};
    EventHandler m_onEvent;
    UINT m_taskbarCreated = 0;
};

}  // namespace lumeq
