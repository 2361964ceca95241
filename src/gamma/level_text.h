#pragma once
#include <string>
#include <string_view>

namespace lumeq {

// (level - 40) with the pattern "0.00" and the user's decimal separator:
// 40 -> "0.00", 33 -> "-7.00", 47 -> "7,00" with a comma.
std::string LevelText(int level, std::string_view decimalSeparator);

}  // namespace lumeq
