#include "app/activation_model.h"

namespace lumeq {

Rgb StripColour(bool on) { return on ? kStripOn : kStripOff; }

std::array<MenuEntryState, 10> MenuStates(bool on) {
    return {{
        {Command::menuactivar, !on},
        {Command::menudesactivar, on},
        {Command::menuCapturarPantalla, on},
        {Command::menuCapturarPantalla2, on},
        {Command::FunctionsDesactivar, on},
        {Command::FunctionsActivar, !on},
        {Command::masGamma, on},
        {Command::menosGamma, on},
        {Command::FunctionsmenosGamma, on},
        {Command::FunctionsmasGamma, on},
    }};
}

}  // namespace lumeq
