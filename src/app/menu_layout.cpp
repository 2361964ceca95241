#include "app/menu_layout.h"

#include <array>

#include "app/activation.h"

namespace lumeq {

namespace {
MenuItem Entry(Command command, const char* caption) { return MenuItem{command, caption, {}}; }
MenuItem Separator() { return MenuItem{std::nullopt, "-", {}}; }

constexpr std::array<std::string_view, kCommandCount> kNames = {
    "Salir",          "menuactivar",         "menudesactivar",        "masGamma",
    "menosGamma",     "menuActivacion",      "menuCapturarPantalla",  "menuAbrirDirectorio",
    "btInformacion",  "btlink",              "FunctionsLink",         "FunctionsInformacion",
    "menuCapturarPantalla2", "FunctionsScreenshot", "FunctionsmasGamma", "FunctionsmenosGamma",
    "FunctionsDesactivar", "FunctionsActivar", "menuActivacionauto",  "FunctionsRestaurar",
    "FunctionsSalir",
};
}  // namespace

std::string_view CommandName(Command command) { return kNames[static_cast<std::size_t>(command)]; }

std::optional<Command> CommandNamed(std::string_view name) {
    for (std::size_t i = 0; i < kNames.size(); ++i)
        if (kNames[i] == name) return static_cast<Command>(i);
    return std::nullopt;
}

std::vector<MenuItem> MenuBarLayout() {
    return {
        Entry(Command::BarLeave, "Salir"),
        MenuItem{std::nullopt, "Gamma", {
            Entry(Command::BarSwitchOn, "Activar          Ctrl+F1"),
            Entry(Command::BarSwitchOff, "Desactivar    Ctrl+F1"),
            Entry(Command::BarLevelUp, "Aumentar     Ctrl+F4"),
            Entry(Command::BarLevelDown, "Disminuir       Ctrl+F3"),
            Separator(),
            Entry(Command::BarAutoActivation, "Activación automática"),
        }},
        MenuItem{std::nullopt, "Screen", {
            Entry(Command::BarScreenshot, "Capturar pantalla    Ctrl+F2"),
            Separator(),
            Entry(Command::BarOpenFolder, "Abrir carpeta"),
        }},
        MenuItem{std::nullopt, "...?", {
            Entry(Command::BarInformation, "Información"),
            Entry(Command::BarSite, "Ir al sitio"),
        }},
    };
}

std::vector<MenuItem> PopupLayout() {
    return {
        Entry(Command::PopupSite, "Ir al sitio"),
        Entry(Command::PopupInformation, "Información"),
        Separator(),
        Entry(Command::PopupScreenshot, "Capturar pantalla    Ctrl+F2"),
        Entry(Command::PopupOpenFolder, "Abrir carpeta"),
        Separator(),
        Entry(Command::PopupLevelUp, "Aumentar        Ctrl+F4"),
        Entry(Command::PopupLevelDown, "Disminuir          Ctrl+F3"),
        Entry(Command::PopupSwitchOff, "Desactivar       Ctrl+F1"),
        Entry(Command::PopupSwitchOn, "Activar             Ctrl+F1"),
        Entry(Command::PopupAutoActivation, "Activación automática"),
        Separator(),
        Entry(Command::PopupRestore, "Restaurar"),
        Separator(),
        Entry(Command::PopupLeave, "Salir"),
    };
}

bool IsEntryEnabled(Command command, bool on) {
    for (const MenuEntryState& state : MenuStates(on))
        if (state.command == command) return state.enabled;
    return true;
}

ShellCommand ShellCommandOf(Command command) {
    switch (command) {
        case Command::BarLeave: return ShellCommand::Leave;
        case Command::PopupLeave: return ShellCommand::LeaveFromPopup;
        case Command::BarInformation:
        case Command::PopupInformation: return ShellCommand::Information;
        case Command::BarSite:
        case Command::PopupSite: return ShellCommand::Site;
        case Command::BarOpenFolder:
        case Command::PopupOpenFolder: return ShellCommand::OpenFolder;
        default: return ShellCommand::None;
    }
}

}  // namespace lumeq
