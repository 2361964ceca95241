#pragma once
// The gamma engine: captures the display's ramp at activation, applies the ramp of
// the stored level, and on release saves the level and puts the captured ramp back.
#include <cstdint>

#include "gamma/engine_ports.h"
#include "gamma/gamma_ramp.h"

namespace lumeq {

// Builds the ramp of `exponent` and sets it on the display. Returns false when the
// display refused it, or when the ramp is not safe to show (exponent 0 or below) and
// was therefore never sent.
bool ApplyGammaExponent(DisplayRamp& display, double exponent);

class GammaConfig {
public:
    GammaConfig(DisplayRamp& display, LevelStore& store) : m_display(display), m_store(store) {}
    // Saves the level, then puts the captured ramp back.
    ~GammaConfig();
    GammaConfig(const GammaConfig&) = delete;
    GammaConfig& operator=(const GammaConfig&) = delete;

    // Binds the slider and captures the display's ramp. On success the slider gets the
    // range 33..47 and the stored level is loaded and applied; on failure the slider is
    // disabled and nothing is applied.
    void Initialize(Slider& slider);

    std::int16_t EstimateLevel() const;
    void LoadLevel();
    void SaveLevel();
    void RestoreCapturedRamp();

    // Applies the ramp of `level` when there is a captured ramp to go back to, and
    // remembers whether the display took it. Returns true when it did.
    bool ApplyLevel(int level);

    // The slider was moved through its own input: apply its new position.
    void OnSliderInput();

    bool HasCapture() const { return m_captured; }
    // True when the display refused the last ramp this engine tried to set.
    bool LastRampRefused() const { return m_lastRampRefused; }
    const GammaRamp& CapturedRamp() const { return m_CapturedRamp; }

private:
    DisplayRamp& m_display;
    LevelStore& m_store;
    Slider* m_GammaConfig = nullptr;
    GammaRamp m_CapturedRamp{};
    bool m_captured = false;
    bool m_lastRampRefused = false;
};

}  // namespace lumeq
