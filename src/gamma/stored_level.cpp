#include "gamma/stored_level.h"

#include <algorithm>

#include "gamma/gamma_ramp.h"

namespace lumeq {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
}  // namespace

std::optional<std::int16_t> ParseStoredLevel(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = std::min(value * 10 + (c - '0'), 100000L);
    }
    if (negative) value = -value;
    return static_cast<std::int16_t>(std::clamp(value, -32768L, 32767L));
}

int LevelToLoad(std::optional<std::int16_t> stored, std::int16_t estimate) {
    const int level = stored ? *stored : estimate;
    return std::clamp(level, kLevelMin, kLevelMax);
}

std::string FormatStoredLevel(int level) { return std::to_string(level); }

}  // namespace lumeq
