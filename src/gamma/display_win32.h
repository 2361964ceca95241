#pragma once
#include "gamma/engine_ports.h"

namespace lumeq {

// The displays attached to the desktop, by device name ("\\.\DISPLAY1"). With one
// display the whole screen's DC is used (GetDC with no window); with several, one DC
// per display, because gamma calls on the whole-screen DC fail on extended desktops
// since Windows 10 1903. Each DC is obtained just before its ramp call and released
// right after it.
class ScreenDisplays : public DisplayRamp {
public:
    std::vector<std::string> Names() override;
    std::string Primary() override;
    bool Read(const std::string& display, GammaRamp& ramp) override;
    bool Write(const std::string& display, const GammaRamp& ramp) override;
};

}  // namespace lumeq
