#include <gtest/gtest.h>

#include <set>

#include "app/menu_layout.h"
#include "app/tray_model.h"
#include "fakes/fake_shell.h"

namespace lumeq {
namespace {

using testing::FakeShell;

TEST(TrayEvents, TipIsTheNameThenNulThenBlanks) {
    const auto tip = TrayTip();
    EXPECT_EQ(std::u16string(tip.data()), u"lumeq gamma");
    for (std::size_t i = 12; i < tip.size(); ++i) EXPECT_EQ(tip[i], u' ') << i;
}

void CollectCommands(const std::vector<MenuItem>& items, std::vector<Command>& out) {
    for (const MenuItem& item : items) {
        if (item.IsSubmenu()) CollectCommands(item.items, out);
        else if (!item.IsSeparator()) out.push_back(*item.command);
    }
}

// No entry of either menu is dead: the core or the shell carries out each, each is in one
// menu only, and the probes can name it.
TEST(MenuLayout, EveryEntryDoesSomethingAndHasItsName) {
    std::vector<Command> commands;
    CollectCommands(MenuBarLayout(), commands);
    CollectCommands(PopupLayout(), commands);
    EXPECT_EQ(commands.size(), static_cast<std::size_t>(kCommandCount));
    EXPECT_EQ(std::set<Command>(commands.begin(), commands.end()).size(), commands.size());
    FakeShell shell;
    shell.Start();
    for (Command command : commands) {
        SCOPED_TRACE(std::string(CommandName(command)));
        EXPECT_TRUE(shell.core.RunMenuCommand(command) || ShellCommandOf(command) != ShellCommand::None);
        EXPECT_EQ(CommandNamed(CommandName(command)), command);
    }
}

}  // namespace
}  // namespace lumeq
