#include "app/activation_model.h"

namespace lumeq {

Rgb StripColour(bool on) { return on ? kStripOn : kStripOff; }

std::array<MenuEntryState, 10> MenuStates(bool on) {
    return {{
        {Command::BarSwitchOn, !on},
        {Command::BarSwitchOff, on},
        {Command::BarScreenshot, on},
        {Command::PopupScreenshot, on},
        {Command::PopupSwitchOff, on},
        {Command::PopupSwitchOn, !on},
        {Command::BarLevelUp, on},
        {Command::BarLevelDown, on},
        {Command::PopupLevelDown, on},
        {Command::PopupLevelUp, on},
    }};
}

}  // namespace lumeq
