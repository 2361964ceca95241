#pragma once
// The record of the ramps to give back, on whatever keeps it (the registry on Windows, a
// file on Linux), with the rules both editions share: what a start-up does with a record
// left behind, which record an activation takes its originals from, what a restore that
// was refused or could not reach a display leaves in it, and whose record may be removed.
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "gamma/engine_ports.h"
#include "gamma/recovery_record.h"

namespace lumeq {

// Where the record's bytes live.
class RecordStorage {
public:
    virtual ~RecordStorage() = default;
    // The bytes; nothing when there is no record. A record that is there but cannot be read
    // whole comes back as no bytes.
    virtual std::optional<std::vector<std::uint8_t>> Load() = 0;
    // Replaces the record in one step; false when it could not be kept.
    virtual bool Save(const std::vector<std::uint8_t>& bytes) = 0;
    virtual void Remove() = 0;
};

class CrashRecord : public CaptureJournal {
public:
    // Whether the process with that id and start time still runs (and is not a zombie).
    using IsRunning = std::function<bool(std::uint32_t processId, std::uint64_t processStart)>;
    CrashRecord(RecordStorage& storage, RunIdentity me, IsRunning isRunning)
        : m_storage(storage), m_me(std::move(me)), m_isRunning(std::move(isRunning)) {}

    // CaptureJournal. Clear removes only a record this run wrote, or one whose originals
    // it took over through Pending.
    std::optional<CapturedDisplays> Pending() override;
    bool Record(const CapturedDisplays& captured) override;
    void Clear() override;

    struct Recovery {
        bool refused = false;  // a display refused its own table: the record stays for later
        bool dropped = false;  // a record that was no record of ours, or held no display's ramp: dropped
    };
    // At start-up, before anything else: a record this display server's run left when it
    // ended while boosted puts its tables back (what a display refuses or a display not
    // attached keeps owed). A record that cannot be read is dropped, and so is each table
    // in it that could be no display's ramp; `straightLine` then gives that table's display
    // the straight line instead (its ramp may still be boosted). A record of another
    // machine, display or live run is left alone; one from before a reboot goes.
    Recovery RecoverAtStart(DisplayRamp& displays, bool straightLine);
    // After a crash of this very run: its recorded tables back.
    void RestoreOwn(DisplayRamp& displays);

private:
    std::optional<RecoveryRecord> Load(bool& present);
    RecordStanding Standing(const RecoveryRecord& record);
    // Puts a record's tables back and keeps only what is still owed; false when refused.
    bool GiveBack(DisplayRamp& displays, const RecoveryRecord& record);
    bool IsOwnedHere(const RunIdentity& owner) const;

    RecordStorage& m_storage;
    RunIdentity m_me;
    std::optional<RunIdentity> m_adopted;  // the dead run whose record Pending gave
    IsRunning m_isRunning;
};

}  // namespace lumeq
