#pragma once
// A 256-entry ramp for a display whose gamma table has another size (X RandR CRTCs have
// 256, 1024 or 4096 entries, some none at all).
#include <cstdint>
#include <vector>

#include "gamma/gamma_ramp.h"

namespace lumeq {

// One channel of `ramp` at `size` entries, by straight lines between the 256 entries;
// the first and last entries are kept exactly. Empty for a size of 0.
std::vector<std::uint16_t> ResampleChannel(const GammaRamp& ramp, int channel, int size);

// A display's three tables of `size` entries (size > 0) back as a 256-entry ramp: the
// entry nearest each of the 256.
GammaRamp RampFromTables(const std::uint16_t* red, const std::uint16_t* green, const std::uint16_t* blue, int size);

}  // namespace lumeq
