#include "gamma/ramp_resample.h"

#include <cmath>

namespace lumeq {

std::vector<std::uint16_t> ResampleChannel(const GammaRamp& ramp, int channel, int size) {
    std::vector<std::uint16_t> out;
    if (size <= 0) return out;
    out.reserve(static_cast<std::size_t>(size));
    for (int j = 0; j < size; ++j) {
        const double position = size == 1 ? 0.0 : static_cast<double>(j) * (kRampEntries - 1) / (size - 1);
        const int below = static_cast<int>(position);
        const int above = below + 1 < kRampEntries ? below + 1 : below;
        const double weight = position - below;
        const double value = ramp.At(channel, below) * (1.0 - weight) + ramp.At(channel, above) * weight;
        out.push_back(static_cast<std::uint16_t>(std::lround(value)));
    }
    return out;
}

GammaRamp RampFromTables(const std::uint16_t* red, const std::uint16_t* green, const std::uint16_t* blue, int size) {
    GammaRamp ramp;
    for (int i = 0; i < kRampEntries; ++i) {
        const auto j = static_cast<std::size_t>(
            size == 1 ? 0 : std::lround(static_cast<double>(i) * (size - 1) / (kRampEntries - 1)));
        ramp.At(0, i) = red[j];
        ramp.At(1, i) = green[j];
        ramp.At(2, i) = blue[j];
    }
    return ramp;
}

}  // namespace lumeq
