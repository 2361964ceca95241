#include "linux/x11/randr_displays_x11.h"

#include <X11/Xlib.h>
#include <X11/Xlib-xcb.h>
#include <X11/extensions/Xrandr.h>
#include <xcb/randr.h>

#include <algorithm>
#include <cstdlib>

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
                // An output that drives a CRTC is lit, whatever connection state the server
                // last probed (a monitor plugged in since may still read as disconnected).
                if (info->crtc != 0) {
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

bool RandrDisplays::Read(const std::string& name, RampTable& table) {
    const Output* output = Find(name);
    if (!output) return false;
    XRRCrtcGamma* gamma = XRRGetCrtcGamma(m_display, output->crtc);
    if (!gamma) return false;
    const int size = gamma->size;
    if (size > 0 && size <= kMaxTableEntries) {
        table = RampTable(size);
        for (int i = 0; i < size; ++i) {
            table.At(0, i) = gamma->red[i];
            table.At(1, i) = gamma->green[i];
            table.At(2, i) = gamma->blue[i];
        }
    }
    XRRFreeGamma(gamma);
    return size > 0 && size <= kMaxTableEntries;
}

bool RandrDisplays::Write(const std::string& name, const RampTable& table) {
    const Output* output = Find(name);
    if (!output) return false;
    const RampTable sized = Resized(table, output->gammaSize);
    const auto size = static_cast<std::size_t>(output->gammaSize);
    // Through the connection beneath Xlib, so that the server's answer comes back here
    // instead of going to the process's one Xlib error handler.
    xcb_connection_t* connection = XGetXCBConnection(m_display);
    const xcb_void_cookie_t cookie = xcb_randr_set_crtc_gamma_checked(
        connection, static_cast<xcb_randr_crtc_t>(output->crtc), static_cast<std::uint16_t>(size),
        sized.entries.data(), sized.entries.data() + size, sized.entries.data() + 2 * size);
    if (xcb_generic_error_t* error = xcb_request_check(connection, cookie)) {
        std::free(error);
        // The outputs may have changed under us: they are listed again at the next call.
        Refresh();
        return false;
    }
    return true;
}

std::string RandrDisplays::Seat(const std::string& name) {
    const Output* output = Find(name);
    return output ? "crtc " + std::to_string(output->crtc) : std::string();
}

}  // namespace lumeq
