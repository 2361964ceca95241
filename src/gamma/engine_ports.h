#pragma once
// What the gamma engine needs from the outside world, each behind a small interface
// so that the engine's order of calls can be tested with fakes.
#include <optional>
#include <string>
#include <string_view>

#include "gamma/gamma_ramp.h"

namespace lumeq {

// The display(s) whose ramp the engine captures and sets.
class DisplayRamp {
public:
    virtual ~DisplayRamp() = default;
    // Fills `ramp` with the display's current ramp; false when the display gives none.
    virtual bool Read(GammaRamp& ramp) = 0;
    // Sets `ramp` on the display; false when the display (driver) refuses it.
    virtual bool Write(const GammaRamp& ramp) = 0;
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
