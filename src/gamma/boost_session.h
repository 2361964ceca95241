#pragma once
// The boosted gamma from "Activar" to "Desactivar", and the level it boosts to: the level is
// held here (a shell's slider only shows it), the captured tables come from DisplayCaptures,
// BoostEngine applies the level's ramp to them, and RampWatch keeps it there. What the window
// shows of it is the caller's business.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "gamma/display_captures.h"
#include "gamma/ramp_watch.h"

namespace lumeq {

// The level as the level store keeps it (a registry string value on Windows, a file on
// Linux): decimal text. A whole decimal number, blanks around it allowed, sign allowed;
// anything else (empty, "abc", "4.5", "12x") counts as no stored level. Numbers beyond the
// 16-bit range saturate, so a huge value still lands at the nearest end of the range.
std::optional<std::int16_t> ParseStoredLevel(std::string_view text);
// The level a start takes: the level holds 33..47 once a ramp is captured, so every stored
// number is held to that range (50, the old top, gives 47); no stored number, the estimate.
int LevelToLoad(std::optional<std::int16_t> stored, std::int16_t estimate);
std::string FormatStoredLevel(int level);
// The level as the player reads it: (level - 40) with the pattern "0.00" and the user's
// decimal separator: 40 -> "0.00", 33 -> "-7.00", 47 -> "7,00" with a comma.
std::string LevelText(int level, std::string_view decimalSeparator);

// Applying a level: the ramp of a level written to every captured display that can take it,
// and which displays refused it.
class BoostEngine {
public:
    BoostEngine(DisplayRamp& displays, DisplayCaptures& captures) : m_displays(displays), m_captures(captures) {}

    // Applies the ramp of `level` to every attached display whose table was captured (a
    // display that joined since is captured first), and remembers which refused it. Returns
    // true when all of them took it; false, and nothing written, without a capture.
    bool Apply(int level);
    // The level again after a display change, an unlock or a resume: drivers reset their ramps
    // then, and a display that refused one may take it now (a refusal on the secure desktop or
    // during a mode change is not for ever).
    void Reapply(int level);
    // The boost is going off: nothing is written any more.
    void Stop() { m_applied.reset(); }

    // The boosted ramp the displays were given, if any.
    const std::optional<GammaRamp>& Applied() const { return m_applied; }
    // Whether a display is to be kept boosted: captured, able, and neither refusing nor left
    // to another program.
    bool Keeps(const std::string& name) const;
    // Writes a display's boosted table again; a refusal is remembered (never retried).
    bool Rewrite(const std::string& name, const RampTable& boosted);
    // The display is left to another program for the rest of the activation.
    void LeaveToOther(const std::string& name) { m_refused.insert(name); }
    // True when a display refused the last ramp this engine tried to set.
    bool LastRampRefused() const { return m_lastRampRefused; }

private:
    // The table written for a boosted ramp: every other write to a display differs from the
    // one before by one step of the last blue entry, so that a system that skips a ramp equal
    // to the last it took (Windows does, even after a full-screen program reset the hardware)
    // really sets it again. Nobody can see it, and every comparison of tables allows it.
    RampTable Varied(const std::string& name, RampTable table);

    DisplayRamp& m_displays;
    DisplayCaptures& m_captures;
    std::set<std::string> m_refused;     // displays that refused the boosted ramp, or were left
    std::set<std::string> m_variedLast;  // displays whose last boosted table was the varied one
    std::optional<GammaRamp> m_applied;
    bool m_lastRampRefused = false;
};

struct BoostPorts {
    DisplayRamp& displays;
    LevelStore& levelStore;
    CaptureJournal* journal;  // where the ramps to give back are kept (none: nowhere)
    LevelView* levelView;     // where a shell shows the level (none: nowhere)
    NightLight* nightLight;   // where the desktop has one to hold off
};

struct StepOutcome {
    int level = 0;              // the level after the step
    bool rampAccepted = false;  // the displays took the level's ramp
};

class BoostSession {
public:
    // A display whose ramp another program keeps replacing (three rewrites within half a
    // minute: a night light, f.lux) is left to it, on either system: the two would take
    // turns on the screen every second.
    explicit BoostSession(BoostPorts ports);
    // Leaving while on gives the displays their own tables back.
    ~BoostSession();
    BoostSession(const BoostSession&) = delete;
    BoostSession& operator=(const BoostSession&) = delete;

    struct Started {
        bool refused = false;       // a display would not take the level's ramp, or none gave its own
        bool recordFailed = false;  // the ramps to give back could not be kept
    };
    // The desktop's night light holds off first, so that what is captured is the player's
    // own; then the displays are captured, the level gets the boost's range and the stored
    // level (or the estimate of the primary display's table), and its ramp is applied. Without
    // any capture the level may no longer be moved, and nothing is applied. Again while on:
    // the level is set again (the displays keep the originals first captured).
    Started Start();
    // The tables back, then the level stored (only when something was captured: a level the
    // displays never showed is not the player's choice), the night light let go. False when a
    // display refused its own table.
    bool Stop();
    bool IsOn() const { return m_boost != nullptr; }

    const LevelState& Level() const { return m_level; }
    // One step of the level (+1 or -1): it keeps its range, and the ramp of the level it
    // settles on is applied (again, at either end). While off it still moves.
    StepOutcome Step(int step);
    // The player moved the level on a shell's slider.
    void SetLevel(int level);
    // Displays changed, the session was unlocked, the system resumed: the level again while
    // on (also where it was refused); otherwise a display that came back gets what it is
    // owed. False when a display refused its own table.
    bool OnDisplaysChanged();
    struct Watched {
        bool rewrote = false;  // a ramp was set again
        bool yielded = false;  // a display was just left to another program that keeps replacing it
    };
    // Once a second while on: the ramp set again where something replaced it.
    Watched WatchRamp();
    // The same look right after a window took the foreground, and for a short while after:
    // the player's own table back then is a reset (Windows makes one as a full-screen program
    // takes the foreground), set right again and never counted towards giving way.
    Watched WatchAfterForeground(bool tick);

    // The displays found since the last call that no ramp can brighten (HDR, none taken),
    // each once a run, with why.
    std::vector<std::pair<std::string, DisplayFitness>> TakeUnfitToTell();
    // On, and no attached display can be brightened at all: the first of them, with why.
    std::optional<std::pair<std::string, DisplayFitness>> NothingTakesRamps() const;
    // Whether a display was found in HDR in this run.
    bool SawHdr() const { return m_sawHdr; }

private:
    // What lives while the boost is on.
    struct Boost {
        Boost(DisplayRamp& displays, CaptureJournal* journal);
        DisplayCaptures captures;
        BoostEngine engine;
        RampWatch watch;
    };
    void MoveLevel(int level);

    BoostPorts m_ports;
    LevelState m_level;
    std::unique_ptr<Boost> m_boost;
    std::map<std::string, DisplayFitness> m_toldUnfit;
    bool m_sawHdr = false;
};

}  // namespace lumeq
