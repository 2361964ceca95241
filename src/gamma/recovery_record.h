#pragma once
// The ramps to give back, kept outside the program while the boost is on, so that a
// crash or a kill cannot lose them (often the user's calibration).
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "gamma/gamma_ramp.h"

namespace lumeq {

struct RecoveryRecord {
    std::uint32_t processId = 0;     // the program that boosted the displays
    std::uint64_t processStart = 0;  // and when it started, so that a reused id is not mistaken for it
    CapturedDisplays displays;  // by name (by place in the enumeration in records of old)
};

std::vector<std::uint8_t> SerializeRecovery(const RecoveryRecord& record);
// Nothing when the bytes are not a whole record of ours.
std::optional<RecoveryRecord> ParseRecovery(std::span<const std::uint8_t> bytes);

enum class RecoveryAction {
    None,              // no record
    LeaveIt,           // its program still runs: the record is that program's
    RestoreAndDelete,  // its program is gone: give the ramps back
    Delete,            // not a record we can read: drop it
};

RecoveryAction DecideRecovery(bool present, const std::optional<RecoveryRecord>& record, bool ownerRunning);

}  // namespace lumeq
