#include "app/activation_model.h"

#include <gtest/gtest.h>


namespace lumeq {
namespace {

TEST(ActivationModel, MenuStatesFollowTheStateInTheWrittenOrder) {
    const auto on = MenuStates(true);
    const auto off = MenuStates(false);
    const MenuEntry order[] = {MenuEntry::menuactivar,         MenuEntry::menudesactivar,
                               MenuEntry::menuCapturarPantalla, MenuEntry::menuCapturarPantalla2,
                               MenuEntry::FunctionsDesactivar, MenuEntry::FunctionsActivar,
                               MenuEntry::masGamma,            MenuEntry::menosGamma,
                               MenuEntry::FunctionsmenosGamma, MenuEntry::FunctionsmasGamma};
    for (std::size_t i = 0; i < on.size(); ++i) {
        EXPECT_EQ(on[i].entry, order[i]);
        EXPECT_EQ(off[i].entry, order[i]);
        const bool isActivate = order[i] == MenuEntry::menuactivar || order[i] == MenuEntry::FunctionsActivar;
        EXPECT_EQ(on[i].enabled, !isActivate) << i;
        EXPECT_EQ(off[i].enabled, isActivate) << i;
    }
    EXPECT_EQ(StripColour(true), 0x000000u);
    EXPECT_EQ(StripColour(false), 0x808080u);
}

}  // namespace
}  // namespace lumeq
