#include "win32/control_ids.h"

namespace lumeq::ids {

int ControlIdNamed(std::string_view name) {
    for (const auto& [known, id] : kWireNames)
        if (known == name) return id;
    return 0;
}

}  // namespace lumeq::ids
