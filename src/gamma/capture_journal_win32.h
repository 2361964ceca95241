#pragma once
// The captured ramps kept in the registry while the boost is on
// (HKEY_CURRENT_USER\Software\lumeq\gamma\GammaConfig, binary value "CapturedRamps").
#include "gamma/engine_ports.h"

namespace lumeq {

class RegistryCaptureJournal : public CaptureJournal {
public:
    void Record(const CapturedDisplays& captured) override;
    void Clear() override;
};

// At start-up: when a record is left by a program that no longer runs (it crashed or
// was killed while boosted), its ramps go back on the displays and the record goes.
// False when a display refused its ramp: the record stays for the next start.
bool RecoverDisplaysAfterCrash(DisplayRamp& displays);

// After an unhandled exception of this process: puts back the ramps it recorded.
void RestoreOwnRecord(DisplayRamp& displays);

}  // namespace lumeq
