#include "ui/main_view.h"

#include <array>

namespace lumeq {

namespace {
struct FieldFacts {
    std::string_view name;
    std::string_view initial;
};
// In the order of the enumeration.
constexpr std::array<FieldFacts, kFieldCount> kFields = {{
    {"estadoTxt", "False"},
    {"estado_txt", "- -"},
    {"LbIndicador", ""},
    {"txtOculta", "No"},
    {"txtActivacion", "False"},
    {"screenText", "0"},
    {"TxtScreenNuevas", "0"},
    {"txtCantidad", ""},
    {"FileSizeMB", ""},
    {"Resolution", "Resolution"},
}};
}  // namespace

std::string_view FieldName(Field field) { return kFields[static_cast<std::size_t>(field)].name; }
std::string_view InitialText(Field field) { return kFields[static_cast<std::size_t>(field)].initial; }

}  // namespace lumeq
