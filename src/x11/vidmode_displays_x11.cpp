#include "x11/vidmode_displays_x11.h"

#include <X11/Xlib.h>
#include <X11/extensions/xf86vmode.h>

#include "gamma/ramp_resample.h"

namespace lumeq {

VidModeDisplays::VidModeDisplays(_XDisplay* display) : m_display(display) {
    if (!m_display) return;
    m_screen = DefaultScreen(m_display);
    m_name = "screen" + std::to_string(m_screen);
    int event = 0;
    int error = 0;
    int size = 0;
    if (XF86VidModeQueryExtension(m_display, &event, &error) &&
        XF86VidModeGetGammaRampSize(m_display, m_screen, &size))
        m_size = size;
}

std::vector<std::string> VidModeDisplays::Names() {
    if (!Available()) return {};
    return {m_name};
}

bool VidModeDisplays::Read(const std::string& name, GammaRamp& ramp) {
    if (!Available() || name != m_name) return false;
    std::vector<unsigned short> tables(static_cast<std::size_t>(m_size) * 3);
    unsigned short* red = tables.data();
    unsigned short* green = red + m_size;
    unsigned short* blue = green + m_size;
    if (!XF86VidModeGetGammaRamp(m_display, m_screen, m_size, red, green, blue)) return false;
    ramp = RampFromTables(red, green, blue, m_size);
    return true;
}

bool VidModeDisplays::Write(const std::string& name, const GammaRamp& ramp) {
    if (!Available() || name != m_name) return false;
    std::vector<std::uint16_t> channels[3];
    for (int channel = 0; channel < 3; ++channel) channels[channel] = ResampleChannel(ramp, channel, m_size);
    const bool set = XF86VidModeSetGammaRamp(m_display, m_screen, m_size, channels[0].data(), channels[1].data(),
                                             channels[2].data());
    XSync(m_display, False);
    return set;
}

}  // namespace lumeq
