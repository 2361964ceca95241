#pragma once
// The gamma engine: captures the displays' ramps at activation, applies the ramp of
// the stored level, and on release saves the level and puts the captured ramps back.
#include <cstdint>
#include <optional>
#include <vector>

#include "gamma/engine_ports.h"
#include "gamma/gamma_ramp.h"

namespace lumeq {

// Builds the ramp of `exponent` and sets it on every display. Returns false when a
// display refused it, or when the ramp is not safe to show (exponent 0 or below) and
// was therefore never sent.
bool ApplyGammaExponent(DisplayRamp& display, double exponent);

// True when `actual` is what was set, give or take the 8 bits that displays keep.
bool RampsMatch(const GammaRamp& actual, const GammaRamp& expected);

class GammaConfig {
public:
    GammaConfig(DisplayRamp& display, LevelStore& store, CaptureJournal* journal = nullptr)
        : m_display(display), m_store(store), m_journal(journal) {}
    // Saves the level, then puts the captured ramps back.
    ~GammaConfig();
    GammaConfig(const GammaConfig&) = delete;
    GammaConfig& operator=(const GammaConfig&) = delete;

    // Binds the slider and captures every display's ramp. When at least one display
    // gave its ramp, the slider gets the range 33..47 and the stored level is loaded and
    // applied; otherwise the slider is disabled and nothing is applied.
    void Initialize(Slider& slider);

    // The level of the primary display's captured ramp.
    std::int16_t EstimateLevel() const;
    void LoadLevel();
    void SaveLevel();
    void RestoreCapturedRamp();

    // Applies the ramp of `level` to every display whose ramp was captured, and
    // remembers whether they took it. Returns true when all of them did.
    bool ApplyLevel(int level);

    // The slider was moved through its own input: apply its new position.
    void OnSliderInput();

    // Applies the slider's level again (after a display change or a resume, which make
    // drivers reset their ramps); not when the displays refused it.
    void ReapplyLevel();
    // Reads the displays back and sets the boosted ramp again where something else (a
    // game, the driver) has replaced it. Never re-applies a refused ramp. True when it
    // had to set it again.
    bool ReapplyIfReplaced();

    bool HasCapture() const { return m_captured; }
    // True when a display refused the last ramp this engine tried to set.
    bool LastRampRefused() const { return m_lastRampRefused; }
    const GammaRamp& CapturedRamp() const { return m_CapturedRamp; }

private:
    DisplayRamp& m_display;
    LevelStore& m_store;
    CaptureJournal* m_journal;
    Slider* m_GammaConfig = nullptr;
    GammaRamp m_CapturedRamp{};                       // the primary display's
    std::vector<std::optional<GammaRamp>> m_captures;  // every display's, by number
    std::optional<GammaRamp> m_applied;                // the boosted ramp the displays took
    bool m_captured = false;
    bool m_lastRampRefused = false;
};

}  // namespace lumeq
