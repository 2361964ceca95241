#include "linux/x11/vidmode_displays_x11.h"

#include <X11/Xlib.h>
#include <X11/extensions/xf86vmode.h>


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

bool VidModeDisplays::Read(const std::string& name, RampTable& table) {
    if (!Available() || name != m_name || m_size > kMaxTableEntries) return false;
    RampTable read(m_size);
    unsigned short* red = read.entries.data();
    if (!XF86VidModeGetGammaRamp(m_display, m_screen, m_size, red, red + m_size, red + 2 * m_size)) return false;
    table = std::move(read);
    return true;
}

bool VidModeDisplays::Write(const std::string& name, const RampTable& table) {
    if (!Available() || name != m_name) return false;
    RampTable sized = Resized(table, m_size);
    unsigned short* red = sized.entries.data();
    // Xlib reports every set as done (the request is only queued): what the server shows
    // afterwards is the answer, so that a refused restore keeps its record.
    if (!XF86VidModeSetGammaRamp(m_display, m_screen, m_size, red, red + m_size, red + 2 * m_size)) return false;
    XSync(m_display, False);
    RampTable shown;
    return Read(name, shown) && TablesMatch(shown, sized);
}

}  // namespace lumeq
