#pragma once
// The ramps to give back, kept outside the program while the boost is on and while a
// display still owes its own, so that a crash, a kill or a refusal cannot lose them
// (often the player's calibration).
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "gamma/ramp_table.h"

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

}  // namespace lumeq
