#include "app/activation_model.h"

namespace lumeq {

Colour StripColour(bool on) { return on ? kStripOn : kStripOff; }

std::array<MenuEntryState, 10> MenuStates(bool on) {
    return {{
        {MenuEntry::menuactivar, !on},
        {MenuEntry::menudesactivar, on},
        {MenuEntry::menuCapturarPantalla, on},
        {MenuEntry::menuCapturarPantalla2, on},
        {MenuEntry::FunctionsDesactivar, on},
        {MenuEntry::FunctionsActivar, !on},
        {MenuEntry::masGamma, on},
        {MenuEntry::menosGamma, on},
        {MenuEntry::FunctionsmenosGamma, on},
        {MenuEntry::FunctionsmasGamma, on},
    }};
}

}  // namespace lumeq
