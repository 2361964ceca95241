#include "gamma/level_step.h"

#include "gamma/boost_engine.h"

namespace lumeq {

StepOutcome StepLevel(Slider& slider, int step, BoostEngine* engine) {
    slider.SetPosition(slider.Position() + step);
    StepOutcome outcome;
    outcome.level = slider.Position();
    outcome.rampAccepted = engine != nullptr && engine->ApplyLevel(outcome.level);
    return outcome;
}

}  // namespace lumeq
