#include "gamma/level_step.h"

#include "gamma/gamma_config.h"

namespace lumeq {

StepOutcome StepLevel(Slider& slider, int step, GammaConfig* engine) {
    slider.SetPosition(slider.Position() + step);
    StepOutcome outcome;
    outcome.level = slider.Position();
    outcome.rampAccepted = engine != nullptr && engine->ApplyLevel(outcome.level);
    return outcome;
}

}  // namespace lumeq
