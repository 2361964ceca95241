#pragma once
// "lumeq.ini": a header line, six values one per line, "//End". The reader and the
// writer move all six values at once.
#include <array>
#include <string>
#include <string_view>

namespace lumeq {

inline constexpr char kSettingsHeader[] = "NO ELIMINAR MODIFICAR O MOVER ESTE ARCHIVO";
inline constexpr char kSettingsEnd[] = "//End";
// What "Aceptar" puts into the name boxes when automatic activation is switched off.
inline constexpr char kNameSentinel[] = "DESACTIVAR.actualizar";

struct Settings {
    std::string screenText = "0";          // line 2: number of the next screenshot
    std::string txtActivacion = "False";   // line 3: automatic activation
    std::array<std::string, 4> names;      // lines 4 to 7: busqueda_Proceso1 to 4
};

// Reads lines 2 to 7 into `fields`, each value exactly as it stands (blanks kept). A line
// ends at CR, CR LF or LF. A file with fewer lines fills the fields it has and leaves
// the others as they were; the header and everything after line 7 are not looked at.
void ParseSettings(std::string_view content, Settings& fields);

// All eight lines, each ended by CR LF.
std::string FormatSettings(const Settings& fields);

// What a write stores: the names in the boxes, except that a box holding the sentinel
// stores the name last read from the file, never the sentinel.
Settings SettingsToWrite(const Settings& current, const std::array<std::string, 4>& namesLastRead);

}  // namespace lumeq
