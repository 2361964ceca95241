#pragma once
// Whether the main window is on the screen or in the notification area: the icon's mouse
// events, "Restaurar", the close box, and WindowHidden that remembers which it is.
#include "app/tray_model.h"
#include "platform/timers.h"
#include "ui/main_view.h"

namespace lumeq {

class WindowPresence {
public:
    WindowPresence(MainView& main, Timers& timers) : m_main(main), m_timers(timers) {}

    void OnTrayEvent(TrayEvent event);
    void Restore();
    void OnCloseRequest();  // the close box: hidden to the icon
    void OnShowAgain();    // 300 ms after a double click brought it back
    void SetShownFromIcon(bool shown);

private:
    MainView& m_main;
    Timers& m_timers;
    bool m_shownFromIcon = false;  // WindowHidden
};

}  // namespace lumeq
