#pragma once
// The record of the ramps to give back, kept per user in the registry
// (HKEY_CURRENT_USER\Software\lumeq\gamma\GammaConfig, binary value "CapturedRamps").
#include "gamma/crash_record.h"

namespace lumeq {

class RegistryRecordStorage : public RecordStorage {
public:
    std::optional<std::vector<std::uint8_t>> Load() override;
    bool Save(const std::vector<std::uint8_t>& bytes) override;
    void Remove() override;
};

// This run, as a record names it: per user, whatever the display.
RunIdentity ThisRun();
// Whether a recorded run still runs.
bool IsRunRunning(std::uint32_t processId, std::uint64_t processStart);

}  // namespace lumeq
