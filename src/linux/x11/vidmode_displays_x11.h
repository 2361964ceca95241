#pragma once
// The X screen's one ramp through XF86VidMode, where the server has no RandR gamma: one
// display for the whole screen, named after it ("screen0").
#include <string>
#include <vector>

#include "gamma/engine_ports.h"

struct _XDisplay;

namespace lumeq {

class VidModeDisplays : public DisplayRamp {
public:
    explicit VidModeDisplays(_XDisplay* display);

    std::vector<std::string> Names() override;
    std::string Primary() override { return m_name; }
    bool Read(const std::string& name, RampTable& table) override;
    bool Write(const std::string& name, const RampTable& table) override;
    // Whether the server has the extension and a ramp for the screen.
    bool Available() const { return m_size > 0; }

private:
    _XDisplay* m_display;
    int m_screen = 0;
    int m_size = 0;
    std::string m_name;
};

}  // namespace lumeq
