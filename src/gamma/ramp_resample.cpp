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

}  // namespace lumeq
