#include "win32/display_win32.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "win32/text_win32.h"
#include "win32/unique_handle_win32.h"

namespace lumeq {

namespace {
// The name the whole screen goes by when the system lists no display device.
constexpr char kWholeScreen[] = "\\\\.\\DISPLAY1";
}  // namespace

const ScreenDisplays::Listed& ScreenDisplays::List() {
    if (m_listed) return *m_listed;
    Listed displays;
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
    m_listed = std::move(displays);
    return *m_listed;
}

// Runs `call` with the DC of the named display; false when it is not attached.
template <typename Call>
bool ScreenDisplays::WithDisplayDC(const std::string& name, Call call) {
    const Listed& displays = List();
    if (std::find(displays.names.begin(), displays.names.end(), name) == displays.names.end()) return false;
    if (displays.names.size() == 1) {
        WindowDC screen(nullptr);
        return screen && call(screen.Get());
    }
    UniqueMemoryDC dc(CreateDCW(Widen(name).c_str(), nullptr, nullptr, nullptr));
    // A display that went without a WM_DISPLAYCHANGE yet: the next call lists them again.
    if (!dc) Refresh();
    return dc && call(dc.Get());
}

std::vector<std::string> ScreenDisplays::Names() { return List().names; }

std::string ScreenDisplays::Primary() { return List().primary; }

bool ScreenDisplays::Read(const std::string& display, RampTable& table) {
    RampTable read(kRampEntries);
    if (!WithDisplayDC(display, [&](HDC dc) { return GetDeviceGammaRamp(dc, read.entries.data()) != FALSE; }))
        return false;
    table = std::move(read);
    return true;
}

bool ScreenDisplays::Write(const std::string& display, const RampTable& table) {
    // SetDeviceGammaRamp takes a non-const pointer but does not write through it.
    RampTable copy = Resized(table, kRampEntries);
    return WithDisplayDC(display, [&](HDC dc) {
        if (!SetDeviceGammaRamp(dc, copy.entries.data())) return false;
        // Windows documents that a set can fail without saying so (and that most display
        // events reset the ramp): what the display shows now is the answer.
        RampTable shown(kRampEntries);
        return GetDeviceGammaRamp(dc, shown.entries.data()) && TablesMatch(shown, copy);
    });
}

}  // namespace lumeq
