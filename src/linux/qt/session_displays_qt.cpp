#include "linux/qt/session_displays_qt.h"

#include <cstdio>

#include "gamma/backend_notices.h"
#include "linux/gnome/mutter_displays.h"
#include "linux/wayland/wlr_gamma_displays.h"
#include "linux/x11/randr_displays_x11.h"
#include "linux/x11/vidmode_displays_x11.h"

namespace lumeq {

SessionDisplays::SessionDisplays(Display* display, bool wayland, const std::string& desktop) {
    bool compositorHasGamma = false;
    m_table = {
        {"X11 RandR", SessionKind::X11, true, true, false,
         [&]() -> DisplayRamp* {
             if (!display) return nullptr;
             m_randr = std::make_unique<RandrDisplays>(display);
             return m_randr->Available() && !m_randr->Names().empty() ? m_randr.get() : nullptr;
         }},
        // An older X server: the whole screen's one ramp.
        {"XF86VidMode", SessionKind::X11, true, false, false,
         [&]() -> DisplayRamp* {
             if (!display) return nullptr;
             m_vidMode = std::make_unique<VidModeDisplays>(display);
             return m_vidMode->Available() ? m_vidMode.get() : nullptr;
         }},
        // wlroots compositors, Hyprland, niri: the compositor gives each output its own table
        // back whenever our hold ends, even killed.
        {"wlr-gamma-control", SessionKind::Wayland, false, true, true,
         [&]() -> DisplayRamp* {
             m_wlr = WlrGammaDisplays::Connect();
             compositorHasGamma = m_wlr && m_wlr->AnyOutputTakesGamma();
             return m_wlr.get();
         }},
        // GNOME: mutter keeps what we set after we are gone.
        {"mutter DisplayConfig", SessionKind::Wayland, true, true, false,
         [&]() -> DisplayRamp* {
             m_mutter = MutterDisplays::Connect();
             return m_mutter.get();
         }},
    };
    const SessionKind session = wayland ? SessionKind::Wayland : SessionKind::X11;
    m_chosen = ChooseBackend(m_table, session);
    for (DisplayBackend& row : m_table) row.open = nullptr;  // they hold this constructor's locals
    std::fprintf(stderr, "lumeq-gamma: %s\n", m_chosen.log.c_str());
    if (m_chosen.displays == m_wlr.get() && m_wlr && !compositorHasGamma)
        m_noGamma = QString::fromUtf8(NoOutputGammaText());
    if (m_chosen.displays) return;
    if (wayland)
        m_noGamma = QString::fromUtf8(NoWaylandGammaText(desktop));
    else if (!display)
        m_noGamma = QString::fromUtf8("Esta sesión no es de X11: el programa no puede cambiar la gamma de la pantalla.");
    else
        m_noGamma = QString::fromUtf8(
            "El servidor X no ofrece gamma (ni RandR 1.2 ni XF86VidMode): el programa sigue en marcha, pero no "
            "puede aclarar la pantalla.");
}

SessionDisplays::~SessionDisplays() = default;

RandrDisplays* SessionDisplays::Randr() const {
    return m_randr && m_chosen.displays == m_randr.get() ? m_randr.get() : nullptr;
}
WlrGammaDisplays* SessionDisplays::Wlr() const {
    return m_wlr && m_chosen.displays == m_wlr.get() ? m_wlr.get() : nullptr;
}
MutterDisplays* SessionDisplays::Mutter() const {
    return m_mutter && m_chosen.displays == m_mutter.get() ? m_mutter.get() : nullptr;
}

}  // namespace lumeq
