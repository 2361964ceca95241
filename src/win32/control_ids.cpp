#include "win32/control_ids.h"

#include <array>
#include <utility>

namespace lumeq::ids {

int ControlIdNamed(std::string_view name) {
    constexpr std::array<std::pair<std::string_view, int>, 21> kControls = {{
        {"FrActivacion", FrActivacion}, {"Label5", Label5}, {"Check1", Check1}, {"btOtrosProgramas", btOtrosProgramas},
        {"btAutoactivar", btAutoactivar}, {"FrProgramas", FrProgramas}, {"Label9", Label9},
        {"busqueda_Proceso1", busqueda_Proceso1}, {"busqueda_Proceso2", busqueda_Proceso1 + 1},
        {"busqueda_Proceso3", busqueda_Proceso1 + 2}, {"busqueda_Proceso4", busqueda_Proceso1 + 3},
        {"Command1", Command1}, {"Frame3", Frame3}, {"Label6", Label6}, {"Label7", Label7}, {"Command2", Command2},
        {"btadveroOK", btadveroOK}, {"ScreenNuevas", ScreenNuevas}, {"Label3", Label3}, {"Label4", Label4},
        {"LbIndicador", LbIndicador},
    }};
    for (const auto& [known, id] : kControls)
        if (known == name) return id;
    return 0;
}

}  // namespace lumeq::ids
