#pragma once
// What the program keeps per user in the registry, under
// HKEY_CURRENT_USER\Software\lumeq\gamma\GammaConfig: the level (string value "Settings") and
// the record of the ramps to give back (binary value "CapturedRamps").
#include "gamma/crash_record.h"
#include "gamma/engine_ports.h"

namespace lumeq {

// HKEY_CURRENT_USER\Software\lumeq\gamma\GammaConfig, string value "Settings".
class RegistryLevelStore : public LevelStore {
public:
    std::optional<std::string> Read() override;
    void Write(std::string_view text) override;
};

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
