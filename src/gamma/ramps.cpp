#include "gamma/ramps.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace lumeq {


double ExponentOfLevel(int level) { return (50.0 - level) / 10.01; }

GammaRamp BuildRamp(double exponent) {
    GammaRamp ramp;
    for (int i = 0; i < kRampEntries; ++i) {
        const double base = (i + 1) / 256.01;
        const double y = std::pow(base, exponent) * 65535.0 + 0.5;
        // nearbyint follows the processor's default mode: halves go to the even neighbour.
        const double n = std::nearbyint(y);
        const auto wide = static_cast<std::int64_t>(std::clamp(n, -9.0e15, 9.0e15));
        const auto entry = static_cast<std::uint16_t>(static_cast<std::uint64_t>(wide) & 0xFFFFu);
        for (int channel = 0; channel < 3; ++channel) ramp.At(channel, i) = entry;
    }
    return ramp;
}

std::int16_t EstimateLevel(const GammaRamp& ramp) {
    double estimates[3] = {1.01, 1.01, 1.01};
    for (int channel = 0; channel < 3; ++channel) {
        double sum = 0.0;
        int count = 0;
        for (int i = 0; i < kRampEntries; ++i) {
            const unsigned v = ramp.At(channel, i);
            if (v == 0 || i == 0) continue;
            const double x = i / 256.01;
            const double y = v / 65536.01;
            sum += std::log(y) / std::log(x);
            ++count;
        }
        if (count > 0) estimates[channel] = sum / count;
    }
    const double level = std::floor(50.0 - 10.01 * estimates[0]);
    return static_cast<std::int16_t>(std::clamp(level, -32768.0, 32767.0));
}

GammaRamp IdentityRamp() {
    GammaRamp ramp;
    for (int channel = 0; channel < 3; ++channel)
        for (int i = 0; i < kRampEntries; ++i) ramp.At(channel, i) = static_cast<std::uint16_t>(i * 257);
    return ramp;
}

bool IsSafeRamp(const GammaRamp& ramp) {
    for (int channel = 0; channel < 3; ++channel) {
        for (int i = 1; i < kRampEntries; ++i)
            if (ramp.At(channel, i) < ramp.At(channel, i - 1)) return false;
        if (ramp.At(channel, kRampEntries - 1) == ramp.At(channel, 0)) return false;
    }
    return true;
}

bool IsAllZero(const GammaRamp& ramp) {
    return std::all_of(ramp.entries.begin(), ramp.entries.end(), [](std::uint16_t v) { return v == 0; });
}


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
