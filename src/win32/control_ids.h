#pragma once
// Identifiers of the main window's menu commands, controls and timers. Shared with the
// end-to-end tests' probe, which reads the controls' texts and sends menu commands.
#include <optional>
#include <string_view>

#include "ui/main_view.h"

namespace lumeq::ids {

// Menu bar.
inline constexpr unsigned kBarLeave = 100;
inline constexpr unsigned kBarSwitchOn = 101;
inline constexpr unsigned kBarSwitchOff = 102;
inline constexpr unsigned kBarLevelUp = 103;
inline constexpr unsigned kBarLevelDown = 104;
inline constexpr unsigned kBarAutoActivation = 105;
inline constexpr unsigned kBarScreenshot = 106;
inline constexpr unsigned kBarOpenFolder = 107;
inline constexpr unsigned kBarInformation = 108;
inline constexpr unsigned kBarSite = 109;

// Popup menu of the notification-area icon.
inline constexpr unsigned kPopupSite = 200;
inline constexpr unsigned kPopupInformation = 201;
inline constexpr unsigned kPopupScreenshot = 202;
inline constexpr unsigned kPopupOpenFolder = 203;
inline constexpr unsigned kPopupLevelUp = 204;
inline constexpr unsigned kPopupLevelDown = 205;
inline constexpr unsigned kPopupSwitchOff = 206;
inline constexpr unsigned kPopupSwitchOn = 207;
inline constexpr unsigned kPopupAutoActivation = 208;
inline constexpr unsigned kPopupRestore = 209;
inline constexpr unsigned kPopupLeave = 210;

// Controls of the main window; the hidden state fields are text controls too, so
// that anything reading window texts sees the program's state.
inline constexpr int kNameCaption = 1000;
inline constexpr int kSignatureCaption = 1001;
inline constexpr int kLevelCaption = 1002;
inline constexpr int kNewScreenshots = 1003;
inline constexpr int kLevelSlider = 1004;
inline constexpr int kBanner = 1005;
inline constexpr int kResolution = 1050;
inline constexpr int kBoostState = 1010;
inline constexpr int kLevelBesideSlider = 1011;
inline constexpr int kWindowHidden = 1012;

inline constexpr int kScreenshotCounter = 1013;
inline constexpr int kAutoActivationFlag = 1014;

inline constexpr int kNewScreenshotsField = 1015;
inline constexpr int kFolderField = 1016;
inline constexpr int kPatternField = 1017;
inline constexpr int kFolderFileCount = 1018;
inline constexpr int kFolderSizeText = 1019;

// The screenshots folder warning.
inline constexpr int kFolderWarning = 1040;
inline constexpr int kFolderCountLine = 1041;
inline constexpr int kFolderSizeLine = 1042;
inline constexpr int kOpenFolderButton = 1043;
inline constexpr int kWarningOkButton = 1044;

// The automatic-activation panel and the watched-programs panel.
inline constexpr int kAutoPanel = 1020;
inline constexpr int kAutoPanelText = 1021;
inline constexpr int kAutoTick = 1022;
inline constexpr int kOtherProgramsButton = 1023;
inline constexpr int kAcceptButton = 1024;
inline constexpr int kProgramsPanel = 1030;
inline constexpr int kProgramsPanelText = 1031;
inline constexpr int kNameBox1 = 1032;  // .. the fourth box, 1035
inline constexpr int kProgramsOkButton = 1036;

// Controls of the indicator strip.
inline constexpr int kStripText = 1100;

// Every control and menu entry by the name the tests' probes speak (and the panels' plans use).
struct WireName {
    std::string_view name;
    int id;
};
inline constexpr WireName kWireNames[] = {
    {"Salir", static_cast<int>(kBarLeave)},
    {"menuactivar", static_cast<int>(kBarSwitchOn)},
    {"menudesactivar", static_cast<int>(kBarSwitchOff)},
    {"masGamma", static_cast<int>(kBarLevelUp)},
    {"menosGamma", static_cast<int>(kBarLevelDown)},
    {"menuActivacion", static_cast<int>(kBarAutoActivation)},
    {"menuCapturarPantalla", static_cast<int>(kBarScreenshot)},
    {"menuAbrirDirectorio", static_cast<int>(kBarOpenFolder)},
    {"btInformacion", static_cast<int>(kBarInformation)},
    {"btlink", static_cast<int>(kBarSite)},
    {"FunctionsLink", static_cast<int>(kPopupSite)},
    {"FunctionsInformacion", static_cast<int>(kPopupInformation)},
    {"menuCapturarPantalla2", static_cast<int>(kPopupScreenshot)},
    {"FunctionsScreenshot", static_cast<int>(kPopupOpenFolder)},
    {"FunctionsmasGamma", static_cast<int>(kPopupLevelUp)},
    {"FunctionsmenosGamma", static_cast<int>(kPopupLevelDown)},
    {"FunctionsDesactivar", static_cast<int>(kPopupSwitchOff)},
    {"FunctionsActivar", static_cast<int>(kPopupSwitchOn)},
    {"menuActivacionauto", static_cast<int>(kPopupAutoActivation)},
    {"FunctionsRestaurar", static_cast<int>(kPopupRestore)},
    {"FunctionsSalir", static_cast<int>(kPopupLeave)},
    {"Label3", kNameCaption},
    {"Label4", kSignatureCaption},
    {"LbIndicador", kLevelCaption},
    {"ScreenNuevas", kNewScreenshots},
    {"SliderGamma", kLevelSlider},
    {"Image1", kBanner},
    {"Resolution", kResolution},
    {"estadoTxt", kBoostState},
    {"estado_txt", kLevelBesideSlider},
    {"txtOculta", kWindowHidden},
    {"screenText", kScreenshotCounter},
    {"txtActivacion", kAutoActivationFlag},
    {"TxtScreenNuevas", kNewScreenshotsField},
    {"Text1", kFolderField},
    {"Text2", kPatternField},
    {"txtCantidad", kFolderFileCount},
    {"FileSizeMB", kFolderSizeText},
    {"Frame3", kFolderWarning},
    {"Label6", kFolderCountLine},
    {"Label7", kFolderSizeLine},
    {"Command2", kOpenFolderButton},
    {"btadveroOK", kWarningOkButton},
    {"FrActivacion", kAutoPanel},
    {"Label5", kAutoPanelText},
    {"Check1", kAutoTick},
    {"btOtrosProgramas", kOtherProgramsButton},
    {"btAutoactivar", kAcceptButton},
    {"FrProgramas", kProgramsPanel},
    {"Label9", kProgramsPanelText},
    {"busqueda_Proceso1", kNameBox1},
    {"busqueda_Proceso2", kNameBox1 + 1},
    {"busqueda_Proceso3", kNameBox1 + 2},
    {"busqueda_Proceso4", kNameBox1 + 3},
    {"Command1", kProgramsOkButton},
    {"Label1", kStripText},
};

// A control or menu entry by its wire name (0 for none).
int ControlIdNamed(std::string_view name);

// The menu entries' identifiers follow the core's order of its commands: the menu bar's
// from 100, the popup's from 200.
inline constexpr unsigned CommandId(Command command) {
    const auto index = static_cast<unsigned>(command);
    return index <= static_cast<unsigned>(Command::BarSite) ? kBarLeave + index
                                                           : kPopupSite + index - static_cast<unsigned>(Command::PopupSite);
}
inline std::optional<Command> CommandOfId(unsigned id) {
    for (int command = 0; command < kCommandCount; ++command)
        if (CommandId(static_cast<Command>(command)) == id) return static_cast<Command>(command);
    return std::nullopt;
}

}  // namespace lumeq::ids
