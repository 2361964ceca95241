// The menu bar, the icon's popup menu, and the commands behind their entries.
#include "win32/main_window_win32.h"
#include "app/menu_layout.h"
#include "win32/text_win32.h"
#include "win32/control_ids.h"

namespace lumeq {

namespace {
void AppendItems(HMENU menu, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        if (item.IsSeparator()) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else if (item.IsSubmenu()) {
            HMENU submenu = CreatePopupMenu();
            AppendItems(submenu, item.items);
            AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), Widen(item.caption).c_str());
        } else {
            // Built for the state at start-up: the boost is off.
            const UINT state = IsEntryEnabled(*item.command, false) ? MF_ENABLED : MF_GRAYED;
            AppendMenuW(menu, MF_STRING | state, ids::CommandId(*item.command), Widen(item.caption).c_str());
        }
    }
}

void SetMenuCaption(HMENU menu, UINT id, const std::wstring& caption) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_STRING;
    item.dwTypeData = const_cast<wchar_t*>(caption.c_str());
    SetMenuItemInfoW(menu, id, FALSE, &item);
}
}  // namespace

HMENU BuildPopupMenu() {
    // "Functions" never shows in the menu bar: it is only the icon's popup menu.
    HMENU popup = CreatePopupMenu();
    AppendItems(popup, PopupLayout());
    return popup;
}

void MainWindow::CreateMenus() {
    m_menuBar = CreateMenu();
    AppendItems(m_menuBar, MenuBarLayout());
}

void MainWindow::SetMenuEntry(Command entry, bool enabled) {
    const UINT flags = MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED);
    // Each entry lives in one of the two menus; the call on the other one fails harmlessly.
    EnableMenuItem(m_menuBar, ids::CommandId(entry), flags);
    EnableMenuItem(m_popupMenu.Get(), ids::CommandId(entry), flags);
    RedrawMenuBar();
}

void MainWindow::SetFolderCaption(std::string_view caption) {
    const std::wstring wide = Widen(caption);
    SetMenuCaption(m_menuBar, ids::kBarOpenFolder, wide);
    SetMenuCaption(m_popupMenu.Get(), ids::kPopupOpenFolder, wide);
    RedrawMenuBar();
}

void MainWindow::RedrawMenuBar() {
    // Redrawing the bar recomputes the whole frame; a window not yet shown draws its bar
    // when it shows.
    if (IsWindowVisible(m_hwnd)) DrawMenuBar(m_hwnd);
}

bool MainWindow::IsMenuEntryEnabled(unsigned id) const {
    for (HMENU menu : {m_menuBar, m_popupMenu.Get()}) {
        const UINT state = GetMenuState(menu, id, MF_BYCOMMAND);
        if (state != static_cast<UINT>(-1)) return (state & (MF_GRAYED | MF_DISABLED)) == 0;
    }
    return false;
}

void MainWindow::OnCommand(unsigned id) {
    // A greyed entry cannot be chosen; a command for one that arrives anyway (posted by
    // another program) is ignored the same way.
    const std::optional<Command> command = ids::CommandOfId(id);
    if (!command || !IsMenuEntryEnabled(id)) return;
    if (m_core.RunMenuCommand(*command)) return;
    switch (ShellCommandOf(*command)) {
        case ShellCommand::Leave: ExitSequence(/*unregisterHotKeys=*/true); break;
        case ShellCommand::LeaveFromPopup: ExitSequence(/*unregisterHotKeys=*/false); break;
        case ShellCommand::Information: ShowInformation(); break;
        case ShellCommand::Site: OpenSite(); break;
        case ShellCommand::OpenFolder: OpenScreenshotsFolder(); break;
        case ShellCommand::None: break;
    }
}

}  // namespace lumeq
