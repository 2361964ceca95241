#include "gamma/ramp_table.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace lumeq {

namespace {
// Entries of one channel at `size`, read from `source` (of `sourceSize`) by straight lines.
template <typename Get>
void Resample(Get source, int sourceSize, RampTable& out, int channel) {
    const int size = out.Size();
    for (int j = 0; j < size; ++j) {
        const double position = size == 1 ? 0.0 : static_cast<double>(j) * (sourceSize - 1) / (size - 1);
        const int below = static_cast<int>(position);
        const int above = below + 1 < sourceSize ? below + 1 : below;
        const double weight = position - below;
        const double value = source(below) * (1.0 - weight) + source(above) * weight;
        out.At(channel, j) = static_cast<std::uint16_t>(std::lround(value));
    }
}
}  // namespace

RampTable TableOf(const GammaRamp& ramp, int size) {
    RampTable table(size);
    for (int channel = 0; channel < 3; ++channel)
        Resample([&](int i) { return ramp.At(channel, i); }, kRampEntries, table, channel);
    return table;
}

GammaRamp RampOf(const RampTable& table) {
    GammaRamp ramp;
    const int size = table.Size();
    if (size <= 0) return ramp;
    for (int i = 0; i < kRampEntries; ++i) {
        const auto j = static_cast<int>(size == 1 ? 0 : std::lround(static_cast<double>(i) * (size - 1) / (kRampEntries - 1)));
        for (int channel = 0; channel < 3; ++channel) ramp.At(channel, i) = table.At(channel, j);
    }
    return ramp;
}

RampTable Resized(const RampTable& table, int size) {
    if (table.Size() == size || table.Size() <= 0) return table.Size() == size ? table : RampTable(size);
    RampTable out(size);
    for (int channel = 0; channel < 3; ++channel)
        Resample([&](int i) { return table.At(channel, i); }, table.Size(), out, channel);
    return out;
}

RampTable IdentityTable(int size) {
    RampTable table(size);
    for (int i = 0; i < size; ++i) {
        const auto value = static_cast<std::uint16_t>(size == 1 ? 0 : std::lround(i * 65535.0 / (size - 1)));
        for (int channel = 0; channel < 3; ++channel) table.At(channel, i) = value;
    }
    return table;
}

bool IsAllZero(const RampTable& table) {
    return std::all_of(table.entries.begin(), table.entries.end(), [](std::uint16_t v) { return v == 0; });
}

bool TablesMatch(const RampTable& actual, const RampTable& expected) {
    if (actual.Size() != expected.Size()) return false;
    for (std::size_t i = 0; i < actual.entries.size(); ++i)
        if (std::abs(static_cast<int>(actual.entries[i]) - static_cast<int>(expected.entries[i])) > 256) return false;
    return true;
}

bool IsPlausibleOriginal(const RampTable& table) {
    // A dip of this much below the highest entry so far is rounding in a driver or a
    // calibration tool, not a falling ramp.
    constexpr int kDip = 1024;
    constexpr int kHighestFirst = 0x8000;  // a channel starts in its lower half
    // The brightest channel ends above a sixteenth: a night light at 1900 K ends blue near
    // zero, and `xrandr --brightness 0.1` ends every channel at a tenth.
    constexpr int kLowestBrightest = 0x1000;
    const int size = table.Size();
    if (size < 2 || size > kMaxTableEntries || table.entries.size() % 3 != 0) return false;
    if (IsAllZero(table)) return true;
    int brightest = 0;
    for (int channel = 0; channel < 3; ++channel) {
        int highest = 0;
        for (int i = 0; i < size; ++i) {
            const int value = table.At(channel, i);
            if (value + kDip < highest) return false;
            highest = std::max(highest, value);
        }
        const int first = table.At(channel, 0);
        const int last = table.At(channel, size - 1);
        if (first > kHighestFirst || last <= first) return false;
        brightest = std::max(brightest, last);
    }
    return brightest >= kLowestBrightest;
}

bool IsBoostTable(const RampTable& table) {
    // Our ramps read back as they were given where the server keeps the table (RandR, GDI),
    // while a player's own power curve at the nearest gamma (1.2, say) differs from ours by
    // 137 or more somewhere (our curve starts above zero): only a near exact match is ours.
    constexpr int kTolerance = 64;
    for (int level = kLevelMin; level <= kLevelMax; ++level) {
        if (level == kLevelNeutral) continue;
        const RampTable ours = TableOf(BuildRamp(ExponentOfLevel(level)), table.Size());
        if (ours.Size() != table.Size()) continue;
        bool same = true;
        for (std::size_t i = 0; same && i < table.entries.size(); ++i)
            same = std::abs(static_cast<int>(table.entries[i]) - static_cast<int>(ours.entries[i])) <= kTolerance;
        if (same) return true;
    }
    return false;
}

RampTable OriginalToPutBack(const RampTable& table) {
    return IsAllZero(table) || IsBoostTable(table) ? IdentityTable(table.Size()) : table;
}

}  // namespace lumeq
