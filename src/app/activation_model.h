#pragma once
// What the main window shows of the on/off state: the strip colours and which menu
// entries are enabled, in the order the activation commands set them.
#include <array>
#include <cstdint>

namespace lumeq {

using Colour = std::uint32_t;  // 0x00BBGGRR, as Windows takes it

inline constexpr Colour kStripOn = 0x00000000;       // black
inline constexpr Colour kStripOff = 0x00808080;      // grey
inline constexpr Colour kStripWarning = 0x000000FF;  // red, the folder warning

// The entries whose enabled state follows activation.
enum class MenuEntry {
    menuactivar,
    menudesactivar,
    menuCapturarPantalla,
    menuCapturarPantalla2,
    FunctionsDesactivar,
    FunctionsActivar,
    masGamma,
    menosGamma,
    FunctionsmenosGamma,
    FunctionsmasGamma,
};

struct MenuEntryState {
    MenuEntry entry;
    bool enabled;
};

Colour StripColour(bool on);

// All ten entries, in the order activation and deactivation set them.
std::array<MenuEntryState, 10> MenuStates(bool on);

inline const char* EstadoText(bool on) { return on ? "True" : "False"; }

}  // namespace lumeq
