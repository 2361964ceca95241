// The menu bar and the commands behind its entries.
#include "app/control_ids.h"
#include "app/form_main.h"

namespace lumeq {

namespace {
unsigned CommandOf(MenuEntry entry) {
    switch (entry) {
        case MenuEntry::menuactivar: return ids::menuactivar;
        case MenuEntry::menudesactivar: return ids::menudesactivar;
        case MenuEntry::menuCapturarPantalla: return ids::menuCapturarPantalla;
        case MenuEntry::menuCapturarPantalla2: return ids::menuCapturarPantalla2;
        case MenuEntry::FunctionsDesactivar: return ids::FunctionsDesactivar;
        case MenuEntry::FunctionsActivar: return ids::FunctionsActivar;
        case MenuEntry::masGamma: return ids::masGamma;
        case MenuEntry::menosGamma: return ids::menosGamma;
        case MenuEntry::FunctionsmenosGamma: return ids::FunctionsmenosGamma;
        case MenuEntry::FunctionsmasGamma: return ids::FunctionsmasGamma;
    }
    return 0;
}
}  // namespace

void FormMain::CreateMenus() {
    m_menuBar = CreateMenu();
    m_menuEstado = CreatePopupMenu();

    AppendMenuW(m_menuBar, MF_STRING, ids::Salir, L"Salir");

    AppendMenuW(m_menuEstado, MF_STRING, ids::menuactivar, L"Activar          Ctrl+F1");
    AppendMenuW(m_menuEstado, MF_STRING | MF_GRAYED, ids::menudesactivar, L"Desactivar    Ctrl+F1");
    AppendMenuW(m_menuEstado, MF_STRING | MF_GRAYED, ids::masGamma, L"Aumentar     Ctrl+F4");
    AppendMenuW(m_menuEstado, MF_STRING | MF_GRAYED, ids::menosGamma, L"Disminuir       Ctrl+F3");
    AppendMenuW(m_menuBar, MF_POPUP, reinterpret_cast<UINT_PTR>(m_menuEstado), L"Gamma");
}

void FormMain::ApplyMenuStates(bool on) {
    for (const MenuEntryState& state : MenuStates(on)) {
        const UINT flags = MF_BYCOMMAND | (state.enabled ? MF_ENABLED : MF_GRAYED);
        // Each entry lives in one of the two menus; the call on the other one fails harmlessly.
        EnableMenuItem(m_menuBar, CommandOf(state.entry), flags);
        if (m_mnuFunctions) EnableMenuItem(m_mnuFunctions.Get(), CommandOf(state.entry), flags);
    }
    DrawMenuBar(m_hwnd);
}

bool FormMain::IsMenuEntryEnabled(unsigned id) const {
    for (HMENU menu : {m_menuBar, m_mnuFunctions.Get()}) {
        if (!menu) continue;
        const UINT state = GetMenuState(menu, id, MF_BYCOMMAND);
        if (state != static_cast<UINT>(-1)) return (state & (MF_GRAYED | MF_DISABLED)) == 0;
    }
    return false;
}

void FormMain::OnCommand(unsigned id) {
    // A greyed entry cannot be chosen; a command for one that arrives anyway (posted by
    // another program) is ignored the same way.
    if (!IsMenuEntryEnabled(id)) return;
    switch (id) {
        case ids::Salir: Salir_Click(); break;
        case ids::menuactivar: btActivar_Click(); break;
        case ids::menudesactivar: btDesactivar_Click(); break;
        case ids::masGamma: btMasGamma_Click(); break;
        case ids::menosGamma: btMenosGamma_Click(); break;
        default: break;
    }
}

}  // namespace lumeq
