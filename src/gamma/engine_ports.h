#pragma once
// What the gamma engine needs from the outside world, each behind a small interface
// so that the engine's order of calls can be tested with fakes.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gamma/gamma_ramp.h"

namespace lumeq {

// The displays whose ramps the engine captures and sets, numbered from 0.
class DisplayRamp {
public:
    virtual ~DisplayRamp() = default;
    // How many displays there are now; at least 1.
    virtual int Count() = 0;
    // The number of the primary display.
    virtual int Primary() = 0;
    // Fills `ramp` with a display's current ramp; false when it gives none.
    virtual bool Read(int display, GammaRamp& ramp) = 0;
    // Sets `ramp` on a display; false when the display (driver) refuses it.
    virtual bool Write(int display, const GammaRamp& ramp) = 0;
};

// Where the ramps to give back are kept while the boost is on, so that they survive a
// crash of the program (see RecoveryRecord).
class CaptureJournal {
public:
    virtual ~CaptureJournal() = default;
    // Called once the displays' ramps are captured, before any boosted ramp is set.
    virtual void Record(const std::vector<std::optional<GammaRamp>>& captured) = 0;
    // Called once the captured ramps are back on the displays.
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

// The trackbar that holds the level. Like the real control it keeps its position
// inside its range.
class Slider {
public:
    virtual ~Slider() = default;
    virtual void SetRangeMin(int minimum) = 0;
    virtual void SetRangeMax(int maximum) = 0;
    virtual void SetTickFrequency(int frequency) = 0;
    virtual void SetPosition(int position) = 0;
    virtual int Position() const = 0;
    virtual void Disable() = 0;
};

}  // namespace lumeq
