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

// Windows 11 24H2's answer (DISPLAYCONFIG_GET_ADVANCED_COLOR_INFO_2), which the headers we
// build with do not have yet.
constexpr auto kAdvancedColorInfo2 = static_cast<DISPLAYCONFIG_DEVICE_INFO_TYPE>(15);
constexpr UINT32 kColorModeHdr = 2;
struct AdvancedColorInfo2 {
    DISPLAYCONFIG_DEVICE_INFO_HEADER header;
    UINT32 flags;
    DISPLAYCONFIG_COLOR_ENCODING colorEncoding;
    UINT32 bitsPerColorChannel;
    UINT32 activeColorMode;  // 0 SDR, 1 SDR with a wide gamut, 2 HDR
};
static_assert(sizeof(AdvancedColorInfo2) == 36);

// Whether the display that GDI calls `gdiName` is in HDR now; false where Windows cannot say
// (older versions, Wine).
bool IsInHdr(const std::string& gdiName) {
    UINT32 pathCount = 0, modeCount = 0;
    if (GetDisplayConfigBufferSizes(QDC_ONLY_ACTIVE_PATHS, &pathCount, &modeCount) != ERROR_SUCCESS) return false;
    std::vector<DISPLAYCONFIG_PATH_INFO> paths(pathCount);
    std::vector<DISPLAYCONFIG_MODE_INFO> modes(modeCount);
    if (QueryDisplayConfig(QDC_ONLY_ACTIVE_PATHS, &pathCount, paths.data(), &modeCount, modes.data(), nullptr) !=
        ERROR_SUCCESS)
        return false;
    for (UINT32 i = 0; i < pathCount; ++i) {
        DISPLAYCONFIG_SOURCE_DEVICE_NAME source{};
        source.header = {DISPLAYCONFIG_DEVICE_INFO_GET_SOURCE_NAME, sizeof(source), paths[i].sourceInfo.adapterId,
                         paths[i].sourceInfo.id};
        if (DisplayConfigGetDeviceInfo(&source.header) != ERROR_SUCCESS || Narrow(source.viewGdiDeviceName) != gdiName)
            continue;
        const DISPLAYCONFIG_PATH_TARGET_INFO& target = paths[i].targetInfo;
        AdvancedColorInfo2 mode{};
        mode.header = {kAdvancedColorInfo2, sizeof(mode), target.adapterId, target.id};
        if (DisplayConfigGetDeviceInfo(&mode.header) == ERROR_SUCCESS) return mode.activeColorMode == kColorModeHdr;
        DISPLAYCONFIG_GET_ADVANCED_COLOR_INFO colour{};
        colour.header = {DISPLAYCONFIG_DEVICE_INFO_GET_ADVANCED_COLOR_INFO, sizeof(colour), target.adapterId, target.id};
        if (DisplayConfigGetDeviceInfo(&colour.header) == ERROR_SUCCESS)
            return colour.advancedColorEnabled && !colour.wideColorEnforced;
        return false;
    }
    return false;
}
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

DisplayFitness ScreenDisplays::Fitness(const std::string& display) {
    if (GetSystemMetrics(SM_REMOTESESSION)) return DisplayFitness::NoRamp;
    if (IsInHdr(display)) return DisplayFitness::Hdr;
    int capabilities = 0;
    const bool attached = WithDisplayDC(display, [&](HDC dc) {
        capabilities = GetDeviceCaps(dc, COLORMGMTCAPS);
        return true;
    });
    RampTable shown;
    if (attached && !(capabilities & CM_GAMMA_RAMP) && !Read(display, shown)) return DisplayFitness::NoRamp;
    return DisplayFitness::TakesRamp;
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

std::vector<DisplayBackend> WindowsDisplayBackends(ScreenDisplays& gdi) {
    return {{"GDI", SessionKind::Windows, true, false, false, [&gdi]() -> DisplayRamp* { return &gdi; }}};
}

}  // namespace lumeq
