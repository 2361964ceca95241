#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "ui/control_ids.h"
#include "app/menu_layout.h"
#include "app/tray_model.h"

namespace lumeq {
namespace {

TEST(TrayEvents, TipIsTheNameThenNulThenBlanks) {
    const auto tip = TrayTip();
    EXPECT_EQ(std::u16string(tip.data()), u"lumeq gamma");
    for (std::size_t i = 12; i < tip.size(); ++i) EXPECT_EQ(tip[i], u' ') << i;
}

void CollectCommands(const std::vector<MenuItem>& items, std::vector<unsigned>& out) {
    for (const MenuItem& item : items) {
        if (item.IsSubmenu()) CollectCommands(item.items, out);
        else if (!item.IsSeparator()) out.push_back(item.id);
    }
}

TEST(MenuLayout, EveryEntryOfBothMenusInEachState) {
    // Entries that follow the activation state; every other entry is always enabled.
    const std::set<unsigned> onlyWhileOn = {ids::menudesactivar,      ids::masGamma,           ids::menosGamma,
                                            ids::menuCapturarPantalla, ids::menuCapturarPantalla2,
                                            ids::FunctionsmasGamma,    ids::FunctionsmenosGamma, ids::FunctionsDesactivar};
    const std::set<unsigned> onlyWhileOff = {ids::menuactivar, ids::FunctionsActivar};
    std::vector<unsigned> commands;
    CollectCommands(MenuBarLayout(), commands);
    CollectCommands(PopupLayout(), commands);
    EXPECT_EQ(std::set<unsigned>(commands.begin(), commands.end()).size(), commands.size()) << "an id twice";
    for (unsigned id : commands) {
        SCOPED_TRACE(id);
        EXPECT_EQ(IsEntryEnabled(id, true), !onlyWhileOff.count(id));
        EXPECT_EQ(IsEntryEnabled(id, false), !onlyWhileOn.count(id));
    }
}

TEST(MenuLayout, PopupStepsAndSwitchesComeInTheWrittenOrder) {
    std::vector<std::string> captions;
    for (const MenuItem& item : PopupLayout()) captions.push_back(item.caption);
    const std::vector<std::string> tail = {"Aumentar        Ctrl+F4",   "Disminuir          Ctrl+F3",
                                           "Desactivar       Ctrl+F1", "Activar             Ctrl+F1"};
    auto found = std::search(captions.begin(), captions.end(), tail.begin(), tail.end());
    EXPECT_NE(found, captions.end());
    EXPECT_EQ(captions.back(), "Salir");
    EXPECT_EQ(MenuBarLayout().front().caption, "Salir");
}

}  // namespace
}  // namespace lumeq
