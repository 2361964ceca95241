#pragma once
// The boosted gamma from "Activar" to "Desactivar": the engine's life, the level's steps,
// the watch over the ramp, and what a display refused. What the window shows of it is the
// caller's business.
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "gamma/boost_engine.h"
#include "gamma/level_step.h"

namespace lumeq {

struct BoostPorts {
    DisplayRamp& displays;
    LevelStore& levelStore;
    CaptureJournal* journal;  // where the ramps to give back are kept (none: nowhere)
    Slider& slider;
    NightLight* nightLight;   // where the desktop has one to hold off
};

class BoostSession {
public:
    // A display whose ramp another program keeps replacing (three rewrites within half a
    // minute: a night light, f.lux) is left to it, on either system: the two would take
    // turns on the screen every second.
    explicit BoostSession(BoostPorts ports) : m_ports(ports) {}

    struct Started {
        bool refused = false;       // a display would not take the level's ramp, or none gave its own
        bool recordFailed = false;  // the ramps to give back could not be kept
    };
    // The desktop's night light holds off first, so that what is captured is the player's
    // own; then the displays are captured and the stored level applied. Again while on:
    // the level is set again (the displays keep the originals first captured).
    Started Start();
    // The ramps back, the level stored, the night light let go. False when a display
    // refused its own ramp.
    bool Stop();
    bool IsOn() const { return m_engine != nullptr; }

    StepOutcome Step(int step);
    void OnSliderInput();
    // Displays changed, the session was unlocked, the system resumed: the level again while
    // on (also where it was refused); otherwise a display that came back gets what it is
    // owed. False when a display refused its own ramp.
    bool OnDisplaysChanged();
    // Once a second while on: the ramp set again where something replaced it. True when a
    // display was just left to another program that keeps replacing it.
    bool WatchRamp();
    // The same look right after a window took the foreground, and for a short while after:
    // the player's own table back then is a reset (Windows makes one as a full-screen program
    // takes the foreground), set right again and never counted towards giving way.
    bool WatchAfterForeground(bool tick);

    // The displays found since the last call that no ramp can brighten (HDR, none taken),
    // each once a run, with why.
    std::vector<std::pair<std::string, DisplayFitness>> TakeUnfitToTell();
    // On, and no attached display can be brightened at all: the first of them, with why.
    std::optional<std::pair<std::string, DisplayFitness>> NothingTakesRamps() const;
    // Whether a display was found in HDR in this run.
    bool SawHdr() const { return m_sawHdr; }

private:
    BoostPorts m_ports;
    std::unique_ptr<BoostEngine> m_engine;
    std::map<std::string, DisplayFitness> m_toldUnfit;
    bool m_sawHdr = false;
};

}  // namespace lumeq
