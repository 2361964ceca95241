#include "x11/randr_displays_x11.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>

#include "gamma/ramp_resample.h"

namespace lumeq {

bool RandrDisplays::Available() {
    int event = 0, error = 0, major = 0, minor = 0;
    return XRRQueryExtension(m_display, &event, &error) && XRRQueryVersion(m_display, &major, &minor) &&
           (major > 1 || (major == 1 && minor >= 2));
}

const std::vector<RandrDisplays::Output>& RandrDisplays::List() {
    if (m_listed) return *m_listed;
    std::vector<Output> outputs;
    m_primary.clear();
    if (Available()) {
        const Window root = DefaultRootWindow(m_display);
        const RROutput primary = XRRGetOutputPrimary(m_display, root);
        if (XRRScreenResources* resources = XRRGetScreenResourcesCurrent(m_display, root)) {
            for (int i = 0; i < resources->noutput; ++i) {
                XRROutputInfo* info = XRRGetOutputInfo(m_display, resources, resources->outputs[i]);
                if (!info) continue;
                if (info->connection == RR_Connected && info->crtc != 0) {
                    const int size = XRRGetCrtcGammaSize(m_display, info->crtc);
                    if (size > 0) {
                        outputs.push_back({std::string(info->name, static_cast<std::size_t>(info->nameLen)),
                                           info->crtc, size});
                        if (resources->outputs[i] == primary) m_primary = outputs.back().name;
                    }
                }
                XRRFreeOutputInfo(info);
            }
            XRRFreeScreenResources(resources);
        }
    }
    if (m_primary.empty() && !outputs.empty()) m_primary = outputs.front().name;
    m_listed = std::move(outputs);
    return *m_listed;
}

const RandrDisplays::Output* RandrDisplays::Find(const std::string& name) {
    for (const Output& output : List())
        if (output.name == name) return &output;
    return nullptr;
}

std::vector<std::string> RandrDisplays::Names() {
    std::vector<std::string> names;
    for (const Output& output : List()) names.push_back(output.name);
    return names;
}

std::string RandrDisplays::Primary() {
    List();
    return m_primary;
}

bool RandrDisplays::Read(const std::string& name, GammaRamp& ramp) {
    const Output* output = Find(name);
    if (!output) return false;
    XRRCrtcGamma* gamma = XRRGetCrtcGamma(m_display, output->crtc);
    if (!gamma) return false;
    const int size = gamma->size;
    if (size > 0) ramp = RampFromTables(gamma->red, gamma->green, gamma->blue, size);
    XRRFreeGamma(gamma);
    return size > 0;
}

bool RandrDisplays::Write(const std::string& name, const GammaRamp& ramp) {
    const Output* output = Find(name);
    if (!output) return false;
    XRRCrtcGamma* gamma = XRRAllocGamma(output->gammaSize);
    if (!gamma) return false;
    for (int channel = 0; channel < 3; ++channel) {
        const std::vector<std::uint16_t> table = ResampleChannel(ramp, channel, output->gammaSize);
        unsigned short* target = channel == 0 ? gamma->red : channel == 1 ? gamma->green : gamma->blue;
        std::copy(table.begin(), table.end(), target);
    }
    XRRSetCrtcGamma(m_display, output->crtc, gamma);
    XRRFreeGamma(gamma);
    // RandR gives no answer to a set: the server has it once it has the request.
    XSync(m_display, False);
    return true;
}

}  // namespace lumeq
