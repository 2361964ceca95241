#include "app/menu_layout.h"

#include <array>

#include "app/activation_model.h"

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
        Entry(Command::Salir, "Salir"),
        MenuItem{std::nullopt, "Gamma", {
            Entry(Command::menuactivar, "Activar          Ctrl+F1"),
            Entry(Command::menudesactivar, "Desactivar    Ctrl+F1"),
            Entry(Command::masGamma, "Aumentar     Ctrl+F4"),
            Entry(Command::menosGamma, "Disminuir       Ctrl+F3"),
            Separator(),
            Entry(Command::menuActivacion, "Activación automática"),
        }},
        MenuItem{std::nullopt, "Screen", {
            Entry(Command::menuCapturarPantalla, "Capturar pantalla    Ctrl+F2"),
            Separator(),
            Entry(Command::menuAbrirDirectorio, "Abrir carpeta"),
        }},
        MenuItem{std::nullopt, "...?", {
            Entry(Command::btInformacion, "Información"),
            Entry(Command::btlink, "Ir al sitio"),
        }},
    };
}

std::vector<MenuItem> PopupLayout() {
    return {
        Entry(Command::FunctionsLink, "Ir al sitio"),
        Entry(Command::FunctionsInformacion, "Información"),
        Separator(),
        Entry(Command::menuCapturarPantalla2, "Capturar pantalla    Ctrl+F2"),
        Entry(Command::FunctionsScreenshot, "Abrir carpeta"),
        Separator(),
        Entry(Command::FunctionsmasGamma, "Aumentar        Ctrl+F4"),
        Entry(Command::FunctionsmenosGamma, "Disminuir          Ctrl+F3"),
        Entry(Command::FunctionsDesactivar, "Desactivar       Ctrl+F1"),
        Entry(Command::FunctionsActivar, "Activar             Ctrl+F1"),
        Entry(Command::menuActivacionauto, "Activación automática"),
        Separator(),
        Entry(Command::FunctionsRestaurar, "Restaurar"),
        Separator(),
        Entry(Command::FunctionsSalir, "Salir"),
    };
}

bool IsEntryEnabled(Command command, bool on) {
    for (const MenuEntryState& state : MenuStates(on))
        if (state.command == command) return state.enabled;
    return true;
}

ShellCommand ShellCommandOf(Command command) {
    switch (command) {
        case Command::Salir: return ShellCommand::Leave;
        case Command::FunctionsSalir: return ShellCommand::LeaveFromPopup;
        case Command::btInformacion:
        case Command::FunctionsInformacion: return ShellCommand::Information;
        case Command::btlink:
        case Command::FunctionsLink: return ShellCommand::Site;
        case Command::menuAbrirDirectorio:
        case Command::FunctionsScreenshot: return ShellCommand::OpenFolder;
        default: return ShellCommand::None;
    }
}

}  // namespace lumeq
