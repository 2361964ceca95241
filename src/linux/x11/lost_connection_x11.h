#pragma once
// When the X connection breaks while boosted (xkill on the window, a window manager that
// kills the client, a dropped `ssh -X`), Qt and Xlib end the process with exit(): nothing
// of the program runs again, and the displays would keep the boost. While armed, this
// gives every display its own ramp back through a fresh connection to the same server,
// before the process is gone.
#include <functional>
#include <string>

#include "gamma/engine_ports.h"

namespace lumeq {

class RestoreOnLostConnection {
public:
    // `restore` puts back what this run owes, on the displays it is given.
    RestoreOnLostConnection(std::string displayName, std::function<void(DisplayRamp&)> restore);
    // Disarms: the program ends on its own path, which gives the ramps back itself.
    ~RestoreOnLostConnection();
    RestoreOnLostConnection(const RestoreOnLostConnection&) = delete;
    RestoreOnLostConnection& operator=(const RestoreOnLostConnection&) = delete;

    // What an exit() while armed runs.
    void Restore();

private:
    std::string m_displayName;
    std::function<void(DisplayRamp&)> m_restore;
};

}  // namespace lumeq
