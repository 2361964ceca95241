#pragma once
// The entries of the menu bar and of the icon's popup menu, in order, with their
// captions as the user sees them, and which of them are enabled in each state.
#include <string>
#include <vector>

namespace lumeq {

struct MenuItem {
    unsigned id = 0;            // command id; 0 for separators and sub-menus
    std::string caption;        // UTF-8; "-" for a separator
    std::vector<MenuItem> items;  // a sub-menu's entries

    bool IsSeparator() const { return caption == "-"; }
    bool IsSubmenu() const { return !items.empty(); }
};

std::vector<MenuItem> MenuBarLayout();
std::vector<MenuItem> PopupLayout();

// Whether a command entry is enabled while the boosted gamma is on (or off). Entries
// that do not follow the activation state are always enabled.
bool IsEntryEnabled(unsigned id, bool on);

enum class MenuEntry;
unsigned MenuCommandOf(MenuEntry entry);

// The entries that the shell carries out itself (AppCore::RunMenuCommand takes the rest).
enum class ShellCommand { None, Leave, LeaveFromPopup, Information, Site, OpenFolder };
ShellCommand ShellCommandOf(unsigned id);

}  // namespace lumeq
