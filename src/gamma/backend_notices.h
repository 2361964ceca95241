#pragma once
// What the player is told where a desktop lets no program set the gamma.
#include <string>
#include <string_view>

namespace lumeq {

// For a Wayland desktop without a gamma protocol we speak (`desktop` as XDG_CURRENT_DESKTOP
// names it, "KDE", "ubuntu:GNOME"...): that the program cannot brighten there, and what
// still works.
std::string NoWaylandGammaText(std::string_view desktop);
// For a compositor that speaks the gamma protocol but lets no output's gamma change (a
// headless or virtual output has none, or another program holds every one).
std::string NoOutputGammaText();

}  // namespace lumeq
