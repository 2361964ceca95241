#include "gamma/display_win32.h"

#include <windows.h>

#include "platform/unique_handle.h"

namespace lumeq {

bool ScreenDisplay::Read(GammaRamp& ramp) {
    WindowDC screen(nullptr);
    return screen && GetDeviceGammaRamp(screen.Get(), ramp.entries.data()) != FALSE;
}

bool ScreenDisplay::Write(const GammaRamp& ramp) {
    WindowDC screen(nullptr);
    // SetDeviceGammaRamp takes a non-const pointer but does not write through it.
    GammaRamp copy = ramp;
    return screen && SetDeviceGammaRamp(screen.Get(), copy.entries.data()) != FALSE;
}

}  // namespace lumeq
