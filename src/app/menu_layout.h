#pragma once
// The entries of the menu bar and of the icon's popup menu, in order, with their
// captions as the user sees them, and which of them are enabled in each state.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/main_view.h"

namespace lumeq {

// "menuactivar", and back: the names the tests' probes speak.
std::string_view CommandName(Command command);
std::optional<Command> CommandNamed(std::string_view name);

struct MenuItem {
    std::optional<Command> command;  // nothing for separators and sub-menus
    std::string caption;             // UTF-8; "-" for a separator
    std::vector<MenuItem> items;     // a sub-menu's entries

    bool IsSeparator() const { return caption == "-"; }
    bool IsSubmenu() const { return !items.empty(); }
};

std::vector<MenuItem> MenuBarLayout();
std::vector<MenuItem> PopupLayout();

// Whether an entry is enabled while the boosted gamma is on (or off). Entries that do not
// follow the activation state are always enabled.
bool IsEntryEnabled(Command command, bool on);

// The entries that the shell carries out itself (AppCore::RunMenuCommand takes the rest).
enum class ShellCommand { None, Leave, LeaveFromPopup, Information, Site, OpenFolder };
ShellCommand ShellCommandOf(Command command);

}  // namespace lumeq
