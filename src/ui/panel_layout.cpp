#include "ui/panel_layout.h"

namespace lumeq {

PanelLayout ActivationPanel() {
    return PanelLayout{
        "FrActivacion",
        "",
        {0, 0, 2400, 1365},
        {
            {"Label5", ControlKind::WrappingLabel, "Activar junto al Counter-Strike o cualquier MOD del HL",
             {90, 270, 2220, 465}},
            {"Check1", ControlKind::CheckBox, "Activación automática", {90, 720, 1950, 195}},
            {"btOtrosProgramas", ControlKind::Button, "Otros programas", {90, 1080, 1365, 240}},
            {"btAutoactivar", ControlKind::Button, "Aceptar", {1530, 1080, 780, 240}},
        }};
}

PanelLayout ProgramsPanel() {
    return PanelLayout{
        "FrProgramas",
        "",
        {0, 0, 2400, 1905},
        {
            {"Label9", ControlKind::WrappingLabel, "Programas que pueden activan/desactivar la gamma.",
             {90, 180, 2175, 420}},
            {"busqueda_Proceso1", ControlKind::NameBox, "", {90, 585, 1905, 285}},
            {"busqueda_Proceso2", ControlKind::NameBox, "", {90, 900, 1905, 285}},
            {"busqueda_Proceso3", ControlKind::NameBox, "", {90, 1215, 1905, 285}},
            {"busqueda_Proceso4", ControlKind::NameBox, "", {90, 1530, 1905, 285}},
            {"Command1", ControlKind::Button, "0k", {2025, 585, 330, 1230}},
        }};
}

PanelLayout WarningPanel() {
    return PanelLayout{
        "Frame3",
        " Advertencia : ",
        {0, 0, 2400, 1500},
        {
            {"Label6", ControlKind::WrappingLabel, "El directorio Screenshots contiene un total de:",
             {45, 270, 2310, 375}},
            {"Label7", ControlKind::WrappingLabel, "El tamaño total de los archivos es de: ", {45, 720, 2220, 510}},
            {"Command2", ControlKind::Button, "Abrir directorio", {45, 1170, 1275, 240}},
            {"btadveroOK", ControlKind::Button, "ok", {1935, 1170, 420, 240}},
        }};
}

}  // namespace lumeq
