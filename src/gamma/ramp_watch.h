#pragma once
// The ramp watch: while boosted, the displays are looked at (once a second, and a few times
// right after a window took the foreground); a display that joined is captured and boosted,
// and a boosted ramp that something replaced is set again, unless another program keeps
// setting its own, which then has that display.
#include <deque>
#include <map>
#include <string>
#include <utility>

#include "gamma/display_captures.h"
#include "gamma/engine_ports.h"

namespace lumeq {

class BoostEngine;

class RampWatch {
public:
    // A display whose ramp is replaced `rewrites` times within `ticks` ticks is left to the
    // program that replaces it (a night light does every few seconds: the player would see a
    // flash at every tick).
    RampWatch(DisplayRamp& displays, DisplayCaptures& captures, BoostEngine& engine, int rewrites, int ticks)
        : m_displays(displays), m_captures(captures), m_engine(engine), m_yieldRewrites(rewrites), m_yieldTicks(ticks) {}

    // One look; true when it set a ramp. Never rewrites a ramp a display refused: a refusal
    // met here counts as one. Right after a window took the foreground (Windows resets the
    // ramp as a full-screen program takes it, and games set theirs then) `afterForeground` is
    // true: a display found back at the player's own table is set again without counting
    // towards giving way. `tick` is false for the extra looks of that moment.
    bool Look(bool afterForeground, bool tick);
    // True once after a display was left to another program.
    bool TakeYielded() { return std::exchange(m_yieldedNow, false); }

private:
    DisplayRamp& m_displays;
    DisplayCaptures& m_captures;
    BoostEngine& m_engine;
    std::map<std::string, std::deque<long>> m_rewrites;  // the ticks of each display's rewrites
    long m_tick = 0;
    int m_yieldRewrites;
    int m_yieldTicks;
    bool m_yieldedNow = false;
};

}  // namespace lumeq
