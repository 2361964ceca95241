// The menu bar, the icon's popup menu, and the commands behind their entries.
#include "app/control_ids.h"
#include "app/form_main.h"
#include "app/menu_layout.h"
#include "platform/text.h"

namespace lumeq {

namespace {
void AppendItems(HMENU menu, const std::vector<MenuItem>& items, bool on) {
    for (const MenuItem& item : items) {
        if (item.IsSeparator()) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else if (item.IsSubmenu()) {
            HMENU submenu = CreatePopupMenu();
            AppendItems(submenu, item.items, on);
            AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), Widen(item.caption).c_str());
        } else {
            const UINT state = IsEntryEnabled(item.id, on) ? MF_ENABLED : MF_GRAYED;
            AppendMenuW(menu, MF_STRING | state, item.id, Widen(item.caption).c_str());
        }
    }
}
}  // namespace

void FormMain::CreateMenus() {
    m_menuBar = CreateMenu();
    AppendItems(m_menuBar, MenuBarLayout(), false);
    // "Functions" never shows in the menu bar: it is only the icon's popup menu.
    m_mnuFunctions.Reset(CreatePopupMenu());
    AppendItems(m_mnuFunctions.Get(), PopupLayout(), false);
}

void FormMain::ApplyMenuStates(bool on) {
    for (const MenuEntryState& state : MenuStates(on)) {
        const UINT flags = MF_BYCOMMAND | (state.enabled ? MF_ENABLED : MF_GRAYED);
        // Each entry lives in one of the two menus; the call on the other one fails harmlessly.
        EnableMenuItem(m_menuBar, MenuCommandOf(state.entry), flags);
        EnableMenuItem(m_mnuFunctions.Get(), MenuCommandOf(state.entry), flags);
    }
    DrawMenuBar(m_hwnd);
}

bool FormMain::IsMenuEntryEnabled(unsigned id) const {
    for (HMENU menu : {m_menuBar, m_mnuFunctions.Get()}) {
        const UINT state = GetMenuState(menu, id, MF_BYCOMMAND);
        if (state != static_cast<UINT>(-1)) return (state & (MF_GRAYED | MF_DISABLED)) == 0;
    }
    return false;
}

void FormMain::ShowPopupMenu() {
    POINT pointer{};
    GetCursorPos(&pointer);
    // Without the foreground the menu would not close when the user clicks elsewhere;
    // the WM_NULL afterwards lets the menu loop see that it has ended.
    SetForegroundWindow(m_hwnd);
    TrackPopupMenu(m_mnuFunctions.Get(), TPM_LEFTALIGN | TPM_LEFTBUTTON, pointer.x, pointer.y, 0, m_hwnd, nullptr);
    PostMessageW(m_hwnd, WM_NULL, 0, 0);
}

void FormMain::OnCommand(unsigned id) {
    // A greyed entry cannot be chosen; a command for one that arrives anyway (posted by
    // another program) is ignored the same way.
    if (!IsMenuEntryEnabled(id)) return;
    switch (id) {
        case ids::Salir: Salir_Click(); break;
        case ids::menuactivar:
        case ids::FunctionsActivar: btActivar_Click(); break;
        case ids::menudesactivar:
        case ids::FunctionsDesactivar: btDesactivar_Click(); break;
        case ids::masGamma:
        case ids::FunctionsmasGamma: btMasGamma_Click(); break;
        case ids::menosGamma:
        case ids::FunctionsmenosGamma: btMenosGamma_Click(); break;
        case ids::menuActivacion: menuActivacion_Click(); break;
        case ids::menuActivacionauto: menuActivacionauto_Click(); break;
        case ids::FunctionsRestaurar: FunctionsRestaurar_Click(); break;
        case ids::btInformacion:
        case ids::FunctionsInformacion: funMostrarInformacion(); break;
        case ids::btlink:
        case ids::FunctionsLink: OpenSite(); break;
        case ids::menuCapturarPantalla: menuCapturarPantalla_Click(); break;
        case ids::menuCapturarPantalla2: menuCapturarPantalla2_Click(); break;
        case ids::menuAbrirDirectorio:
        case ids::FunctionsScreenshot: OpenScreenshotsFolder(); break;
        case ids::FunctionsSalir: FunctionsSalir_Click(); break;
        default: break;
    }
}

}  // namespace lumeq
