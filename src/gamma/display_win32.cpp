#include "gamma/display_win32.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/text_win32.h"
#include "platform/unique_handle_win32.h"

namespace lumeq {

namespace {
// The name the whole screen goes by when the system lists no display device.
constexpr char kWholeScreen[] = "\\\\.\\DISPLAY1";

struct Displays {
    std::vector<std::string> names;
    std::string primary;
};

Displays AttachedDisplays() {
    Displays displays;
    DISPLAY_DEVICEW device{};
    device.cb = sizeof(device);
    for (DWORD i = 0; EnumDisplayDevicesW(nullptr, i, &device, 0); ++i) {
        if (device.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP) {
            std::string name = Narrow(device.DeviceName);
            if (device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) displays.primary = name;
            displays.names.push_back(std::move(name));
        }
        device = DISPLAY_DEVICEW{};
        device.cb = sizeof(device);
    }
    if (displays.names.empty()) displays.names.emplace_back(kWholeScreen);
    if (displays.primary.empty()) displays.primary = displays.names.front();
    return displays;
}

// Runs `call` with the DC of the named display; false when it is not attached.
template <typename Call>
bool WithDisplayDC(const std::string& name, Call call) {
    const Displays displays = AttachedDisplays();
    if (std::find(displays.names.begin(), displays.names.end(), name) == displays.names.end()) return false;
    if (displays.names.size() == 1) {
        WindowDC screen(nullptr);
        return screen && call(screen.Get());
    }
    UniqueMemoryDC dc(CreateDCW(Widen(name).c_str(), nullptr, nullptr, nullptr));
    return dc && call(dc.Get());
}
}  // namespace

std::vector<std::string> ScreenDisplays::Names() { return AttachedDisplays().names; }

std::string ScreenDisplays::Primary() { return AttachedDisplays().primary; }

bool ScreenDisplays::Read(const std::string& display, GammaRamp& ramp) {
    return WithDisplayDC(display, [&](HDC dc) { return GetDeviceGammaRamp(dc, ramp.entries.data()) != FALSE; });
}

bool ScreenDisplays::Write(const std::string& display, const GammaRamp& ramp) {
    // SetDeviceGammaRamp takes a non-const pointer but does not write through it.
    GammaRamp copy = ramp;
    return WithDisplayDC(display, [&](HDC dc) { return SetDeviceGammaRamp(dc, copy.entries.data()) != FALSE; });
}

}  // namespace lumeq
