#pragma once
// The record of the ramps to give back, on whatever keeps it (the registry on Windows, a
// file on Linux), with the rules both editions share: what a start-up does with a record
// left behind, which record an activation takes its originals from, what a restore that
// was refused or could not reach a display leaves in it, and whose record may be removed.
#include <cstdint>
#include <string>
#include <span>
#include <functional>
#include <optional>
#include <vector>

#include "gamma/ramps.h"
#include "gamma/engine_ports.h"

namespace lumeq {

// The run that wrote a record, and the display server it boosted. The server's words are
// empty where a record belongs to the user whatever the display (Windows) and in records
// of old.
struct RunIdentity {
    std::uint32_t processId = 0;     // the program that boosted the displays
    std::uint64_t processStart = 0;  // and when it started, so that a reused id is not mistaken for it
    std::string host;                // the machine (a home folder may be shared by several)
    std::string bootId;              // the boot: a reboot resets every ramp
    std::string display;             // the X display (":0"), marked when it is Xwayland's
};

struct RecoveryRecord {
    RunIdentity owner;
    CapturedDisplays displays;  // by name (by place in the enumeration in records of old)
};

std::vector<std::uint8_t> SerializeRecovery(const RecoveryRecord& record);
// Nothing when the bytes are not a whole record of ours, of a version we know.
std::optional<RecoveryRecord> ParseRecovery(std::span<const std::uint8_t> bytes);

// The displays whose tables could be a display's own ramp (see IsPlausibleOriginal): a
// record is judged display by display, so that one dimmed or tampered table does not cost
// a calibrated display beside it its own.
CapturedDisplays PlausibleOnly(const CapturedDisplays& displays);

enum class RecordStanding {
    Ours,          // this display server's, and its program is gone (or is this run)
    OwnerRuns,     // this display server's, but another run that still lives keeps it
    OtherServer,   // another machine's or another display's: not ours to touch
    EarlierBoot,   // this machine's before it restarted: the restart reset the ramps
};
RecordStanding StandingOf(const RunIdentity& owner, const RunIdentity& me, bool ownerRunning);

// What putting captured tables back left owed.
struct PutBack {
    CapturedDisplays owed;     // not attached, or refused: still owed their own table
    bool refused = false;      // an attached display refused its own table
    bool mended = false;       // a seat got its owed table back (the owed entry no longer names it)
};

// Puts every captured table back on its display, exactly (see OriginalToPutBack for the
// straight line). A display that is not attached keeps its entry, owed until it comes
// back. Before a display that took over the seat of an owed display is given anything,
// that seat gets the owed table back, once, while it still shows one of our boosts.
// Used by the give-back, by the recovery after a crash and when displays change.
PutBack PutBackCaptured(DisplayRamp& displays, const CapturedDisplays& captured);

// The displays changed while the boost is off: those the journal still owes get their
// tables back, and what they took goes from the record. False when one refused.
bool GiveBackOwed(DisplayRamp& displays, CaptureJournal& journal);

// A record of old knows a display by its place among those attached: its name now.
std::string AttachedNameOf(const CapturedDisplay& display, const std::vector<std::string>& attached);

// A display that took over the seat an owed display left (an X CRTC keeps the ramp it was
// given, and a driver sets it again at every mode change) and still shows one of our boosts:
// the owed table goes back on that seat before anything of the newcomer is read or written.
// Returns the owed display whose seat was mended, which then has no seat to mend any more.
CapturedDisplay* MendSeat(DisplayRamp& displays, const std::string& newcomer, CapturedDisplays& owed,
                          const std::vector<std::string>& attached);

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
    // The same rules for this run on another store (a record of an earlier version).
    CrashRecord On(RecordStorage& storage) const { return CrashRecord(storage, m_me, m_isRunning); }

private:
    std::optional<RecoveryRecord> Load(bool& present);
    RecordStanding Standing(const RecoveryRecord& record);
    // Puts a record's tables back and keeps only what is still owed; false when refused.
    bool GiveBack(DisplayRamp& displays, const RecoveryRecord& record);
    bool IsOwnedHere(const RunIdentity& owner) const;

    RecordStorage& m_storage;
    RunIdentity m_me;
    std::optional<RunIdentity> m_adopted;  // the dead run whose record Pending gave
    // Whether the record Pending just read belongs to another live run: the Record that
    // follows it (an activation records its capture at once) does not read it again.
    std::optional<bool> m_ownerRunsJustRead;
    IsRunning m_isRunning;
};

// A start-up, before anything else touches a display: the records this display server's runs
// left while boosted give their tables back, those of earlier versions (`legacy`) first, then
// `record`'s (see CrashRecord::RecoverAtStart for `straightLine`).
CrashRecord::Recovery RecoverAtStart(DisplayRamp& displays, CrashRecord& record,
                                     const std::vector<RecordStorage*>& legacy, bool straightLine);

}  // namespace lumeq
