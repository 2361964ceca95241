#pragma once
#include "gamma/engine_ports.h"

namespace lumeq {

class BoostEngine;

struct StepOutcome {
    int level = 0;              // the slider's position after the step
    bool rampAccepted = false;  // the display took the level's ramp
};

// One step of the level (+1 or -1): the slider moves and keeps its range, and the
// ramp of the position it settles on is applied (again, at either end). `engine` may
// be null: the slider still moves but no ramp reaches the display.
StepOutcome StepLevel(Slider& slider, int step, BoostEngine* engine);

}  // namespace lumeq
