#pragma once
// Identifiers of the main window's menu commands, controls and timers. Shared with the
// end-to-end tests' probe, which reads the controls' texts and sends menu commands.
#include <optional>
#include <string_view>

#include "ui/main_view.h"

namespace lumeq::ids {

// Menu bar.
inline constexpr unsigned Salir = 100;
inline constexpr unsigned menuactivar = 101;
inline constexpr unsigned menudesactivar = 102;
inline constexpr unsigned masGamma = 103;
inline constexpr unsigned menosGamma = 104;
inline constexpr unsigned menuActivacion = 105;
inline constexpr unsigned menuCapturarPantalla = 106;
inline constexpr unsigned menuAbrirDirectorio = 107;
inline constexpr unsigned btInformacion = 108;
inline constexpr unsigned btlink = 109;

// Popup menu of the notification-area icon.
inline constexpr unsigned FunctionsLink = 200;
inline constexpr unsigned FunctionsInformacion = 201;
inline constexpr unsigned menuCapturarPantalla2 = 202;
inline constexpr unsigned FunctionsScreenshot = 203;
inline constexpr unsigned FunctionsmasGamma = 204;
inline constexpr unsigned FunctionsmenosGamma = 205;
inline constexpr unsigned FunctionsDesactivar = 206;
inline constexpr unsigned FunctionsActivar = 207;
inline constexpr unsigned menuActivacionauto = 208;
inline constexpr unsigned FunctionsRestaurar = 209;
inline constexpr unsigned FunctionsSalir = 210;

// Controls of the main window; the hidden state fields are text controls too, so
// that anything reading window texts sees the program's state.
inline constexpr int Label3 = 1000;
inline constexpr int Label4 = 1001;
inline constexpr int LbIndicador = 1002;
inline constexpr int ScreenNuevas = 1003;
inline constexpr int SliderGamma = 1004;
inline constexpr int Image1 = 1005;
inline constexpr int Resolution = 1050;
inline constexpr int estadoTxt = 1010;
inline constexpr int estado_txt = 1011;
inline constexpr int txtOculta = 1012;

inline constexpr int screenText = 1013;
inline constexpr int txtActivacion = 1014;

inline constexpr int TxtScreenNuevas = 1015;
inline constexpr int Text1 = 1016;
inline constexpr int Text2 = 1017;
inline constexpr int txtCantidad = 1018;
inline constexpr int FileSizeMB = 1019;

// The screenshots folder warning.
inline constexpr int Frame3 = 1040;
inline constexpr int Label6 = 1041;
inline constexpr int Label7 = 1042;
inline constexpr int Command2 = 1043;
inline constexpr int btadveroOK = 1044;

// The automatic-activation panel and the watched-programs panel.
inline constexpr int FrActivacion = 1020;
inline constexpr int Label5 = 1021;
inline constexpr int Check1 = 1022;
inline constexpr int btOtrosProgramas = 1023;
inline constexpr int btAutoactivar = 1024;
inline constexpr int FrProgramas = 1030;
inline constexpr int Label9 = 1031;
inline constexpr int busqueda_Proceso1 = 1032;  // .. busqueda_Proceso4 = 1035
inline constexpr int Command1 = 1036;

// Controls of the indicator strip.
inline constexpr int Label1 = 1100;

// A control of the panels' table by its name (0 for none).
int ControlIdNamed(std::string_view name);

// The menu entries' identifiers follow the core's order of its commands: the menu bar's
// from 100, the popup's from 200.
inline constexpr unsigned CommandId(Command command) {
    const auto index = static_cast<unsigned>(command);
    return index <= static_cast<unsigned>(Command::btlink) ? Salir + index
                                                           : FunctionsLink + index - static_cast<unsigned>(Command::FunctionsLink);
}
inline std::optional<Command> CommandOfId(unsigned id) {
    for (int command = 0; command < kCommandCount; ++command)
        if (CommandId(static_cast<Command>(command)) == id) return static_cast<Command>(command);
    return std::nullopt;
}

}  // namespace lumeq::ids
