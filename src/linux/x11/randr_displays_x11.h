#pragma once
// The displays of an X server through RandR 1.2+ CRTC gamma, for the Linux edition: one
// display per output that drives a CRTC, by output name ("DUMMY0", "HDMI-1").
// Each CRTC's table has its own size (256, 1024, 4096) and is read and set at that size.
// A CRTC without gamma (size 0) is not listed. A CRTC keeps its ramp when its output
// leaves, so the CRTC is the seat of an output's ramp.
#include <optional>
#include <string>
#include <vector>

#include "gamma/engine_ports.h"

// Xlib's display connection, without Xlib's macros in every file that includes this one.
struct _XDisplay;

namespace lumeq {

class RandrDisplays : public DisplayRamp {
public:
    explicit RandrDisplays(_XDisplay* display) : m_display(display) {}

    std::vector<std::string> Names() override;
    std::string Primary() override;
    bool Read(const std::string& name, RampTable& table) override;
    // Checked: a set the server refuses (BadValue, a CRTC gone with a mode change) is a
    // refusal.
    bool Write(const std::string& name, const RampTable& table) override;
    std::string Seat(const std::string& name) override;
    // The outputs are listed once and kept until the server says they changed.
    void Refresh() { m_listed.reset(); }
    // Whether the server has RandR 1.2 or later at all.
    bool Available();

private:
    struct Output {
        std::string name;
        unsigned long crtc = 0;  // RRCrtc
        int gammaSize = 0;
    };
    const std::vector<Output>& List();
    const Output* Find(const std::string& name);

    _XDisplay* m_display;
    std::optional<std::vector<Output>> m_listed;
    std::string m_primary;
};

}  // namespace lumeq
