#include "app/menu_layout.h"

#include "app/activation_model.h"
#include "ui/control_ids.h"

namespace lumeq {

namespace {
MenuItem Entry(unsigned id, const char* caption) { return MenuItem{id, caption, {}}; }
MenuItem Separator() { return MenuItem{0, "-", {}}; }

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

std::vector<MenuItem> MenuBarLayout() {
    return {
        Entry(ids::Salir, "Salir"),
        MenuItem{0, "Gamma", {
            Entry(ids::menuactivar, "Activar          Ctrl+F1"),
            Entry(ids::menudesactivar, "Desactivar    Ctrl+F1"),
            Entry(ids::masGamma, "Aumentar     Ctrl+F4"),
            Entry(ids::menosGamma, "Disminuir       Ctrl+F3"),
            Separator(),
            Entry(ids::menuActivacion, "Activación automática"),
        }},
        MenuItem{0, "Screen", {
            Entry(ids::menuCapturarPantalla, "Capturar pantalla    Ctrl+F2"),
            Separator(),
            Entry(ids::menuAbrirDirectorio, "Abrir carpeta"),
        }},
        MenuItem{0, "...?", {
            Entry(ids::btInformacion, "Información"),
            Entry(ids::btlink, "Ir al sitio"),
        }},
    };
}

std::vector<MenuItem> PopupLayout() {
    return {
        Entry(ids::FunctionsLink, "Ir al sitio"),
        Entry(ids::FunctionsInformacion, "Información"),
        Separator(),
        Entry(ids::menuCapturarPantalla2, "Capturar pantalla    Ctrl+F2"),
        Entry(ids::FunctionsScreenshot, "Abrir carpeta"),
        Separator(),
        Entry(ids::FunctionsmasGamma, "Aumentar        Ctrl+F4"),
        Entry(ids::FunctionsmenosGamma, "Disminuir          Ctrl+F3"),
        Entry(ids::FunctionsDesactivar, "Desactivar       Ctrl+F1"),
        Entry(ids::FunctionsActivar, "Activar             Ctrl+F1"),
        Entry(ids::menuActivacionauto, "Activación automática"),
        Separator(),
        Entry(ids::FunctionsRestaurar, "Restaurar"),
        Separator(),
        Entry(ids::FunctionsSalir, "Salir"),
    };
}

bool IsEntryEnabled(unsigned id, bool on) {
    for (const MenuEntryState& state : MenuStates(on))
        if (CommandOf(state.entry) == id) return state.enabled;
    return true;
}

unsigned MenuCommandOf(MenuEntry entry) { return CommandOf(entry); }

ShellCommand ShellCommandOf(unsigned id) {
    switch (id) {
        case ids::Salir: return ShellCommand::Leave;
        case ids::FunctionsSalir: return ShellCommand::LeaveFromPopup;
        case ids::btInformacion:
        case ids::FunctionsInformacion: return ShellCommand::Information;
        case ids::btlink:
        case ids::FunctionsLink: return ShellCommand::Site;
        case ids::menuAbrirDirectorio:
        case ids::FunctionsScreenshot: return ShellCommand::OpenFolder;
        default: return ShellCommand::None;
    }
}

}  // namespace lumeq
