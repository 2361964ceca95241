#pragma once
// What the gamma engine needs from the outside world, each behind a small interface
// so that the engine's order of calls can be tested with fakes.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gamma/gamma_ramp.h"

namespace lumeq {

// The displays whose ramps the engine captures and sets, by device name.
class DisplayRamp {
public:
    virtual ~DisplayRamp() = default;
    // The displays attached now.
    virtual std::vector<std::string> Names() = 0;
    // The primary display's name.
    virtual std::string Primary() = 0;
    // Fills `ramp` with a display's current ramp; false when it gives none or is gone.
    virtual bool Read(const std::string& display, GammaRamp& ramp) = 0;
    // Sets `ramp` on a display; false when the display (driver) refuses it or is gone.
    virtual bool Write(const std::string& display, const GammaRamp& ramp) = 0;
};

// Where the ramps to give back are kept while the boost is on, so that they survive a
// crash of the program (see RecoveryRecord).
class CaptureJournal {
public:
    virtual ~CaptureJournal() = default;
    // Called once the displays' ramps are captured, before any boosted ramp is set, and
    // again whenever a display joins while boosted.
    virtual void Record(const CapturedDisplays& captured) = 0;
    // Called once every captured ramp is back on its display.
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

// Puts every captured ramp back on its display; an all-zero capture (some drivers
// report one) goes back as the linear ramp, never as black. A display that is no longer
// attached is skipped: it gets its own ramp from the system when it comes back. True
// when every attached display took its ramp back. Used by the release and by the
// recovery after a crash alike.
bool PutBackCaptured(DisplayRamp& displays, const CapturedDisplays& captured);

}  // namespace lumeq
