#pragma once
#include <optional>

#include "gamma/display_backends.h"
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
    // Windows' tables have 256 entries a channel.
    bool Read(const std::string& display, RampTable& table) override;
    bool Write(const std::string& display, const RampTable& table) override;
    // HDR from the display configuration (Windows 11 24H2's colour mode, else advanced colour
    // without the SDR colour management that only widens the gamut); no ramp in a remote
    // session, or where the display neither lists gamma ramps among its capabilities nor
    // gives one (Wine lists none for any display, and its ramps work).
    DisplayFitness Fitness(const std::string& display) override;
    // The displays are listed once and kept until a display change (WM_DISPLAYCHANGE)
    // says the list is stale: listing them costs more than setting a ramp.
    void Refresh() { m_listed.reset(); }

private:
    struct Listed {
        std::vector<std::string> names;
        std::string primary;
    };
    const Listed& List();
    template <typename Call>
    bool WithDisplayDC(const std::string& name, Call call);

    std::optional<Listed> m_listed;
};

// The Windows rows of the display backends' table: GDI, which reads tables back, gives every
// display 256 entries and leaves our table on the display after we are gone.
std::vector<DisplayBackend> WindowsDisplayBackends(ScreenDisplays& gdi);

}  // namespace lumeq
