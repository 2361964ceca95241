#include "gamma/display_win32.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/unique_handle.h"

namespace lumeq {

namespace {
struct Displays {
    std::vector<std::wstring> names;
    int primary = 0;
};

Displays AttachedDisplays() {
    Displays displays;
    DISPLAY_DEVICEW device{};
    device.cb = sizeof(device);
    for (DWORD i = 0; EnumDisplayDevicesW(nullptr, i, &device, 0); ++i) {
        if (device.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP) {
            if (device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE)
                displays.primary = static_cast<int>(displays.names.size());
            displays.names.emplace_back(device.DeviceName);
        }
        device = DISPLAY_DEVICEW{};
        device.cb = sizeof(device);
    }
    return displays;
}

// Runs `call` with the DC of display `index`.
template <typename Call>
bool WithDisplayDC(int index, Call call) {
    const Displays displays = AttachedDisplays();
    if (displays.names.size() <= 1) {
        if (index != 0) return false;
        WindowDC screen(nullptr);
        return screen && call(screen.Get());
    }
    if (index < 0 || index >= static_cast<int>(displays.names.size())) return false;
    UniqueMemoryDC dc(CreateDCW(displays.names[static_cast<std::size_t>(index)].c_str(), nullptr, nullptr, nullptr));
    return dc && call(dc.Get());
}
}  // namespace

int ScreenDisplays::Count() {
    const auto count = static_cast<int>(AttachedDisplays().names.size());
    return count < 1 ? 1 : count;
}

int ScreenDisplays::Primary() { return AttachedDisplays().primary; }

bool ScreenDisplays::Read(int display, GammaRamp& ramp) {
    return WithDisplayDC(display, [&](HDC dc) { return GetDeviceGammaRamp(dc, ramp.entries.data()) != FALSE; });
}

bool ScreenDisplays::Write(int display, const GammaRamp& ramp) {
    // SetDeviceGammaRamp takes a non-const pointer but does not write through it.
    GammaRamp copy = ramp;
    return WithDisplayDC(display, [&](HDC dc) { return SetDeviceGammaRamp(dc, copy.entries.data()) != FALSE; });
}

}  // namespace lumeq
