#pragma once
// What the gamma engine needs from the outside world, each behind a small interface
// so that the engine's order of calls can be tested with fakes.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gamma/ramps.h"

namespace lumeq {

// What a display can do with a gamma ramp.
enum class DisplayFitness {
    TakesRamp,
    Hdr,     // in HDR (advanced colour): a ramp acts on PQ-encoded values and bends the picture instead
    NoRamp,  // takes none at all (a basic or virtual display adapter, a remote session)
};

// The displays whose ramps the engine captures and sets, by device name.
class DisplayRamp {
public:
    virtual ~DisplayRamp() = default;
    // The displays attached now.
    virtual std::vector<std::string> Names() = 0;
    // The primary display's name.
    virtual std::string Primary() = 0;
    // Fills `table` with a display's current table, at the display's own size; false when
    // it gives none or is gone.
    virtual bool Read(const std::string& display, RampTable& table) = 0;
    // Sets `table` on a display (resampled first when the display's size is another);
    // false when the display (driver, server) refuses it or is gone.
    virtual bool Write(const std::string& display, const RampTable& table) = 0;
    // Where the display's ramp lives when displays share hardware over time (an X CRTC);
    // empty where each display keeps its own.
    virtual std::string Seat(const std::string& /*display*/) { return {}; }
    // Whether the display can be brightened by a ramp now (HDR may be switched at any time).
    virtual DisplayFitness Fitness(const std::string& /*display*/) { return DisplayFitness::TakesRamp; }
};

// Where the ramps to give back are kept while the boost is on and while a display still
// owes its own (see CrashRecord), so that a crash, a refusal or a monitor unplugged while
// boosted cannot lose them.
class CaptureJournal {
public:
    virtual ~CaptureJournal() = default;
    // The originals a record of this display server still holds: they are the displays'
    // own ramps, whatever the displays show now. Nothing when there is no such record.
    virtual std::optional<CapturedDisplays> Pending() = 0;
    // Called once the displays' ramps are captured, before any boosted ramp is set, again
    // whenever a display joins while boosted, and with what is still owed after a restore.
    // False when the record could not be kept.
    virtual bool Record(const CapturedDisplays& captured) = 0;
    // Called once every display has its own ramp back: drops the record this run keeps.
    virtual void Clear() = 0;
};

// The per-user stored level (a registry string value on Windows).
class LevelStore {
public:
    virtual ~LevelStore() = default;
    // The stored text, or nothing when there is no usable value.
    virtual std::optional<std::string> Read() = 0;
    // Replaces the stored text; failures are the store's own business.
    virtual void Write(std::string_view text) = 0;
};

// A desktop's own night light (KDE Plasma's Night Color), asked to hold off while the
// boost is on, so that the two do not take turns on the screen.
class NightLight {
public:
    virtual ~NightLight() = default;
    virtual void Hold(bool hold) = 0;
};

// The level as the core holds it: where it may go, and whether the player may move it.
struct LevelState {
    int level = 40;
    int minimum = 0;
    int maximum = 50;
    int tickFrequency = 1;
    bool enabled = true;
    bool operator==(const LevelState&) const = default;
};

// Where a shell shows the level for the player to move (the Windows edition's trackbar).
class LevelView {
public:
    virtual ~LevelView() = default;
    virtual void ShowLevel(const LevelState& level) = 0;
};

}  // namespace lumeq
