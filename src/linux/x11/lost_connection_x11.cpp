#include "linux/x11/lost_connection_x11.h"

#include <X11/Xlib.h>

#include <cstdlib>
#include <memory>
#include <utility>

#include "linux/x11/randr_displays_x11.h"
#include "linux/x11/vidmode_displays_x11.h"

namespace lumeq {

namespace {
RestoreOnLostConnection* g_armed = nullptr;

void AtExit() {
    if (RestoreOnLostConnection* armed = std::exchange(g_armed, nullptr)) armed->Restore();
}
}  // namespace

RestoreOnLostConnection::RestoreOnLostConnection(std::string displayName, std::function<void(DisplayRamp&)> restore)
    : m_displayName(std::move(displayName)), m_restore(std::move(restore)) {
    static const bool registered = std::atexit(AtExit) == 0;
    if (registered) g_armed = this;
}

RestoreOnLostConnection::~RestoreOnLostConnection() {
    if (g_armed == this) g_armed = nullptr;
}

void RestoreOnLostConnection::Restore() {
    // The old connection is broken; the server itself still runs.
    Display* fresh = XOpenDisplay(m_displayName.c_str());
    if (!fresh) return;
    {
        RandrDisplays randr(fresh);
        if (randr.Available() && !randr.Names().empty()) {
            m_restore(randr);
        } else {
            VidModeDisplays vidMode(fresh);
            if (vidMode.Available()) m_restore(vidMode);
        }
    }
    XCloseDisplay(fresh);
}

}  // namespace lumeq
