#pragma once
#include "gamma/engine_ports.h"

namespace lumeq {

// The whole screen's device context: GetDC(nullptr) just before each ramp call,
// released right after it.
class ScreenDisplay : public DisplayRamp {
public:
    bool Read(GammaRamp& ramp) override;
    bool Write(const GammaRamp& ramp) override;
};

}  // namespace lumeq
