#pragma once
// The gamma engine: captures the displays' tables at activation, applies the ramp of the
// stored level, and on release puts the captured tables back and saves the level.
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "gamma/engine_ports.h"
#include "gamma/gamma_ramp.h"

namespace lumeq {

class BoostEngine {
public:
    BoostEngine(DisplayRamp& display, LevelStore& store, CaptureJournal* journal = nullptr)
        : m_display(display), m_store(store), m_journal(journal) {}
    // Releases, unless Release ran already.
    ~BoostEngine();
    BoostEngine(const BoostEngine&) = delete;
    BoostEngine& operator=(const BoostEngine&) = delete;

    // Binds the slider and captures every display's table; a display a record still owes
    // its own table is given that one, never what it shows now (which may be a boost that
    // could not be taken back). When at least one attached display has a capture, the
    // slider gets the range 33..47 and the stored level is loaded and applied; otherwise
    // the slider is disabled and nothing is applied.
    void Initialize(Slider& slider);

    // Puts the captured tables back, then saves the level (only when something was
    // captured: a level the displays never showed is not the player's choice). The record
    // goes only when every display has its own table back; a display that refused it or is
    // not attached stays owed in it. False when an attached display refused its own table.
    bool Release();

    // The level of the primary display's captured table.
    std::int16_t EstimateLevel() const;
    void LoadLevel();
    void SaveLevel();

    // Applies the ramp of `level` to every attached display whose table was captured (a
    // display that joined since is captured first), and remembers which refused it.
    // Returns true when all of them took it.
    bool ApplyLevel(int level);

    // The slider was moved through its own input: apply its new position.
    void OnSliderInput();

    // Applies the slider's level again after a display change, an unlock or a resume (drivers
    // reset their ramps then, and a display that refused one may take it now: a refusal
    // on the secure desktop or during a mode change is not for ever).
    void ReapplyLevel();
    // The watchdog: captures and boosts a display that joined, and sets the boosted ramp
    // again where something else (a game, the driver) replaced it. Never rewrites a ramp
    // that a display refused; a refusal met here counts as one. True when it set a ramp.
    //
    // Right after a window took the foreground (Windows resets the ramp when a full-screen
    // program takes it, and games set theirs then) `afterForeground` is true: a display found
    // back at the player's own table is set again without counting towards giving way; only a
    // foreign ramp that keeps coming back counts. `tick` is false for the extra looks of that
    // moment, which are not the watchdog's ticks.
    bool ReapplyIfReplaced(bool afterForeground = false, bool tick = true);
    // Another program that keeps setting its own ramp (a night light does every few
    // seconds) makes the player see a flash at every watchdog tick: after `rewrites`
    // rewrites of one display within `ticks` ticks, that display is left to it for the rest
    // of the activation. Off unless asked for.
    void YieldAfter(int rewrites, int ticks) {
        m_yieldRewrites = rewrites;
        m_yieldTicks = ticks;
    }
    // True once after a display was left to another program.
    bool TakeYielded() { return std::exchange(m_yieldedNow, false); }

    bool HasCapture() const { return m_captured; }
    // True when a display refused the last ramp this engine tried to set.
    bool LastRampRefused() const { return m_lastRampRefused; }
    // True when the record of the tables to give back could not be kept: a crash now
    // could not be undone.
    bool RecordFailed() const { return m_recordFailed; }
    const GammaRamp& CapturedRamp() const { return m_capturedRamp; }
    // The displays left at the player's own ramp because no ramp can brighten them (HDR, or
    // none taken at all), as last looked at: at activation, at a display change, and when
    // a display joins.
    const std::map<std::string, DisplayFitness>& Unfit() const { return m_unfit; }

private:
    const CapturedDisplay* CaptureOf(const std::string& name) const;
    // Captures displays attached since the last look; true when one was added.
    bool CaptureNewDisplays(const std::vector<std::string>& attached);
    void Journal();
    // Asks each attached display what it can do now; one that can no longer be brightened
    // while boosted gets its own table back.
    void SortDisplays(const std::vector<std::string>& attached);
    // The table written for a boosted ramp: every other write to a display differs from the
    // one before by one step of the last blue entry, so that a system that skips a ramp equal
    // to the last it took (Windows does, even after a full-screen program reset the hardware)
    // really sets it again. Nobody can see it, and every comparison of tables allows it.
    RampTable Varied(const std::string& name, RampTable table);

    DisplayRamp& m_display;
    LevelStore& m_store;
    CaptureJournal* m_journal;
    Slider* m_levelSlider = nullptr;
    GammaRamp m_capturedRamp{};     // the primary display's, at 256 entries
    CapturedDisplays m_captures;     // every display's own table, by name (attached or owed)
    std::set<std::string> m_refused;  // displays that refused the boosted ramp
    std::map<std::string, DisplayFitness> m_unfit;  // displays no ramp can brighten now
    std::set<std::string> m_variedLast;  // displays whose last boosted table was the varied one
    std::optional<GammaRamp> m_applied;  // the boosted ramp the displays were given
    std::map<std::string, std::deque<long>> m_rewrites;  // the watchdog ticks of each display's rewrites
    long m_tick = 0;
    int m_yieldRewrites = 0;
    int m_yieldTicks = 0;
    bool m_yieldedNow = false;
    bool m_captured = false;
    bool m_lastRampRefused = false;
    bool m_recordFailed = false;
    bool m_released = false;
};

}  // namespace lumeq
