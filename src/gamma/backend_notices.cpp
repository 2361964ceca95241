#include "gamma/backend_notices.h"

namespace lumeq {

std::string NoWaylandGammaText(std::string_view desktop) {
    const std::string runsOn = ": el programa sigue en marcha, pero no puede aclarar la pantalla. ";
    // KWin offers brightness up to the maximum only (dimming, never a boost) and Night Color a
    // temperature: no client can set a gamma table.
    if (desktop.find("KDE") != std::string_view::npos)
        return "KDE Plasma en Wayland no deja a ningún programa subir la gamma" + runsOn +
               "En la sesión «Plasma (X11)» sí puede.";
    if (desktop.find("GNOME") != std::string_view::npos)
        return "GNOME en Wayland no deja a este programa cambiar la gamma" + runsOn + "En una sesión X11 sí puede.";
    return "Este escritorio Wayland no deja a los programas cambiar la gamma" + runsOn +
           "En una sesión X11, o en sway, Hyprland, niri o labwc, sí puede.";
}

std::string NoOutputGammaText() {
    return "El compositor no deja cambiar la gamma de ninguna pantalla (no la ofrecen, u otro programa la tiene): el "
           "programa sigue en marcha, pero no puede aclarar la pantalla.";
}

}  // namespace lumeq
