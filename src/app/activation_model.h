#pragma once
// What the main window shows of the on/off state: the strip colours and which menu
// entries are enabled, in the order the activation commands set them.
#include <array>

#include "app/menu_layout.h"
#include "ui/main_view.h"

namespace lumeq {

inline constexpr Rgb kStripOn{0x00, 0x00, 0x00};       // black
inline constexpr Rgb kStripOff{0x80, 0x80, 0x80};      // grey
inline constexpr Rgb kStripWarning{0xFF, 0x00, 0x00};  // red, the folder warning

struct MenuEntryState {
    Command command;
    bool enabled;
};

Rgb StripColour(bool on);

// The ten entries that follow activation, in the order activation and deactivation set them.
std::array<MenuEntryState, 10> MenuStates(bool on);

inline const char* BoostStateText(bool on) { return on ? "True" : "False"; }

}  // namespace lumeq
