#pragma once
// The gamma level kept in the registry as decimal text.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumeq {

// A whole decimal number, blanks around it allowed, sign allowed; anything else
// (empty, "abc", "4.5", "12x") counts as no stored level. Numbers beyond the 16-bit
// range saturate, so a huge value still lands at the nearest end of the slider.
std::optional<std::int16_t> ParseStoredLevel(std::string_view text);

// What LoadLevel puts on the slider: the slider holds 33..47 once a ramp is captured,
// so every stored number is held to that range (50, the old top, gives 47).
int LevelToLoad(std::optional<std::int16_t> stored, std::int16_t estimate);

std::string FormatStoredLevel(int level);

}  // namespace lumeq
