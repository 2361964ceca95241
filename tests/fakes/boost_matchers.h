#pragma once
#include <gtest/gtest.h>

#include <cstdlib>

#include "gamma/ramps.h"

namespace lumeq::testing {

// A boosted table as a display was given it: `expected` but for the one step of its last
// blue entry by which every other write of a level differs from the one before.
inline ::testing::AssertionResult IsBoosted(const RampTable& actual, const RampTable& expected) {
    if (actual.Size() != expected.Size()) return ::testing::AssertionFailure() << "another size";
    for (std::size_t i = 0; i < actual.entries.size(); ++i) {
        const int difference = std::abs(static_cast<int>(actual.entries[i]) - static_cast<int>(expected.entries[i]));
        if (difference > (i + 1 == actual.entries.size() ? 1 : 0))
            return ::testing::AssertionFailure() << "entry " << i << ": " << actual.entries[i] << " for "
                                                 << expected.entries[i];
    }
    return ::testing::AssertionSuccess();
}

}  // namespace lumeq::testing
