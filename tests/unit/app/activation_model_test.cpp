#include "app/activation_model.h"

#include <gtest/gtest.h>

#include "app/hotkey_model.h"

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

TEST(HotKeyModel, DecisionsForEveryIdAndState) {
    struct Case {
        int id;
        const char* estado;
        HotKeyAction action;
    };
    const Case cases[] = {
        {0, "False", HotKeyAction::Activate},  {0, "True", HotKeyAction::Deactivate},
        {1, "True", HotKeyAction::Screenshot}, {1, "False", HotKeyAction::None},
        {2, "True", HotKeyAction::StepDown},   {2, "False", HotKeyAction::None},
        {3, "True", HotKeyAction::StepUp},     {3, "False", HotKeyAction::None},
        {4, "True", HotKeyAction::None},       {-1, "True", HotKeyAction::None},
        // Ctrl+F1 compares with "False" exactly; anything else counts as on.
        {0, "false", HotKeyAction::Deactivate},
    };
    for (const auto& c : cases) EXPECT_EQ(DecideHotKey(c.id, c.estado), c.action) << c.id << " " << c.estado;
}

}  // namespace
}  // namespace lumeq
