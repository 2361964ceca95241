#include "gamma/level_text.h"

#include <cstdlib>

namespace lumeq {

std::string LevelText(int level, std::string_view decimalSeparator) {
    const int offset = level - 40;
    std::string text = offset < 0 ? "-" : "";
    text += std::to_string(std::abs(offset));
    text += decimalSeparator.empty() ? std::string_view(".") : decimalSeparator;
    text += "00";
    return text;
}

}  // namespace lumeq
