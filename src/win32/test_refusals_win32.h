#pragma once
// Displays that can be told to refuse their next writes, as a driver does on the secure
// desktop or during a mode change: the test build's way to show that a refusal is not for
// ever. Passes everything through otherwise.
#include "gamma/engine_ports.h"

namespace lumeq {

class RefusableDisplays : public DisplayRamp {
public:
    explicit RefusableDisplays(DisplayRamp& displays) : m_displays(displays) {}
    void RefuseNextWrites(int count) { m_refusals = count; }

    std::vector<std::string> Names() override { return m_displays.Names(); }
    std::string Primary() override { return m_displays.Primary(); }
    bool Read(const std::string& display, RampTable& table) override { return m_displays.Read(display, table); }
    bool Write(const std::string& display, const RampTable& table) override {
        if (m_refusals > 0) {
            --m_refusals;
            return false;
        }
        return m_displays.Write(display, table);
    }
    std::string Seat(const std::string& display) override { return m_displays.Seat(display); }
    DisplayFitness Fitness(const std::string& display) override { return m_displays.Fitness(display); }

private:
    DisplayRamp& m_displays;
    int m_refusals = 0;
};

}  // namespace lumeq
