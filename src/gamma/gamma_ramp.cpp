#include "gamma/gamma_ramp.h"

#include <algorithm>
#include <cmath>

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

}  // namespace lumeq
