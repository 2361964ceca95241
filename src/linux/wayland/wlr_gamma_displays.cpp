#include "linux/wayland/wlr_gamma_displays.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "wlr-gamma-control-unstable-v1-client-protocol.h"

namespace lumeq {

struct WlrGammaDisplays::Output {
    WlrGammaDisplays* owner = nullptr;
    std::uint32_t global = 0;
    wl_output* output = nullptr;
    std::uint32_t version = 0;
    std::string name;
    zwlr_gamma_control_v1* control = nullptr;
    int size = 0;                    // entries a channel, as the compositor told
    bool failed = false;             // the compositor refused us this output
    bool told = false;               // the player knows
    std::optional<RampTable> shown;  // what we set, while we hold it
};

namespace {
void OnGeometry(void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*, const char*, int32_t) {}
void OnMode(void*, wl_output*, uint32_t, int32_t, int32_t, int32_t) {}
void OnDone(void*, wl_output*) {}
void OnScale(void*, wl_output*, int32_t) {}
void OnName(void* data, wl_output*, const char* name) {
    if (name && *name) static_cast<WlrGammaDisplays::Output*>(data)->name = name;
}
void OnDescription(void*, wl_output*, const char*) {}
const wl_output_listener kOutputListener = {OnGeometry, OnMode, OnDone, OnScale, OnName, OnDescription};

void OnGammaSize(void* data, zwlr_gamma_control_v1*, uint32_t size) {
    static_cast<WlrGammaDisplays::Output*>(data)->size = static_cast<int>(std::min<uint32_t>(size, kMaxTableEntries));
}
void OnFailed(void* data, zwlr_gamma_control_v1*) {
    auto* output = static_cast<WlrGammaDisplays::Output*>(data);
    output->owner->Failed(*output);
}
const zwlr_gamma_control_v1_listener kControlListener = {OnGammaSize, OnFailed};

void OnGlobal(void* data, wl_registry*, uint32_t name, const char* interface, uint32_t version) {
    static_cast<WlrGammaDisplays*>(data)->AddGlobal(name, interface, version);
}
void OnGlobalRemove(void* data, wl_registry*, uint32_t name) { static_cast<WlrGammaDisplays*>(data)->RemoveGlobal(name); }
const wl_registry_listener kRegistryListener = {OnGlobal, OnGlobalRemove};
}  // namespace

std::unique_ptr<WlrGammaDisplays> WlrGammaDisplays::Connect(bool* offersGamma) {
    if (offersGamma) *offersGamma = false;
    const char* socket = std::getenv("WAYLAND_DISPLAY");
    if (!socket || !*socket) return nullptr;
    std::unique_ptr<WlrGammaDisplays> displays(new WlrGammaDisplays());
    displays->m_display = wl_display_connect(nullptr);
    if (!displays->m_display) return nullptr;
    displays->m_registry = wl_display_get_registry(displays->m_display);
    wl_registry_add_listener(displays->m_registry, &kRegistryListener, displays.get());
    // The globals, then what each output tells of itself (its name).
    if (wl_display_roundtrip(displays->m_display) < 0 || wl_display_roundtrip(displays->m_display) < 0) return nullptr;
    if (!displays->m_manager) return nullptr;
    if (offersGamma) *offersGamma = true;
    displays->m_changed = false;
    return displays;
}

WlrGammaDisplays::~WlrGammaDisplays() {
    for (auto& output : m_outputs) {
        LetGo(*output);
        if (output->version >= WL_OUTPUT_RELEASE_SINCE_VERSION)
            wl_output_release(output->output);
        else
            wl_output_destroy(output->output);
    }
    if (m_manager) zwlr_gamma_control_manager_v1_destroy(m_manager);
    if (m_registry) wl_registry_destroy(m_registry);
    if (m_display) {
        wl_display_flush(m_display);
        wl_display_disconnect(m_display);
    }
}

void WlrGammaDisplays::AddGlobal(std::uint32_t name, const char* interface, std::uint32_t version) {
    if (std::strcmp(interface, wl_output_interface.name) == 0) {
        auto output = std::make_unique<Output>();
        output->owner = this;
        output->global = name;
        output->version = std::min<std::uint32_t>(version, 4);
        output->name = "output-" + std::to_string(name);
        output->output = static_cast<wl_output*>(
            wl_registry_bind(m_registry, name, &wl_output_interface, output->version));
        wl_output_add_listener(output->output, &kOutputListener, output.get());
        m_outputs.push_back(std::move(output));
        m_changed = true;
    } else if (std::strcmp(interface, zwlr_gamma_control_manager_v1_interface.name) == 0 && !m_manager) {
        m_manager = static_cast<zwlr_gamma_control_manager_v1*>(
            wl_registry_bind(m_registry, name, &zwlr_gamma_control_manager_v1_interface, 1));
    }
}

void WlrGammaDisplays::RemoveGlobal(std::uint32_t name) {
    const auto it = std::find_if(m_outputs.begin(), m_outputs.end(), [name](const auto& o) { return o->global == name; });
    if (it == m_outputs.end()) return;
    LetGo(**it);
    if ((*it)->version >= WL_OUTPUT_RELEASE_SINCE_VERSION)
        wl_output_release((*it)->output);
    else
        wl_output_destroy((*it)->output);
    m_outputs.erase(it);
    m_changed = true;
}

void WlrGammaDisplays::Failed(Output& output) {
    output.failed = true;
    output.shown.reset();
}

WlrGammaDisplays::Output* WlrGammaDisplays::Find(const std::string& name) {
    for (auto& output : m_outputs)
        if (output->name == name) return output.get();
    return nullptr;
}

std::vector<std::string> WlrGammaDisplays::Names() {
    std::vector<std::string> names;
    for (const auto& output : m_outputs) names.push_back(output->name);
    return names;
}

std::string WlrGammaDisplays::Primary() { return m_outputs.empty() ? std::string() : m_outputs.front()->name; }

bool WlrGammaDisplays::Hold(Output& output) {
    if (output.control && !output.failed && output.size > 1) return true;
    LetGo(output);
    if (output.failed) return false;  // refused in this activation already
    output.control = zwlr_gamma_control_manager_v1_get_gamma_control(m_manager, output.output);
    zwlr_gamma_control_v1_add_listener(output.control, &kControlListener, &output);
    wl_display_roundtrip(m_display);  // gamma_size, or failed, comes at once
    if (!output.failed && output.size > 1) return true;
    output.failed = true;
    LetGo(output);
    if (!output.told && m_heldElsewhere) m_heldElsewhere(output.name);
    output.told = true;
    return false;
}

void WlrGammaDisplays::LetGo(Output& output) {
    if (output.control) zwlr_gamma_control_v1_destroy(output.control);
    output.control = nullptr;
    output.shown.reset();
    wl_display_flush(m_display);
    // Nothing held any more (the boost is off): an output another client held may be free
    // at the next activation.
    if (std::none_of(m_outputs.begin(), m_outputs.end(), [](const auto& o) { return o->control != nullptr; }))
        for (auto& each : m_outputs) each->failed = each->told = false;
}

bool WlrGammaDisplays::AnyOutputTakesGamma() {
    bool any = false;
    for (auto& output : m_outputs) {
        if (output->control && !output->failed) return true;  // ours already
        any = Hold(*output) || any;
        LetGo(*output);
    }
    return any;
}

bool WlrGammaDisplays::Read(const std::string& name, RampTable& table) {
    Output* output = Find(name);
    if (!output || !Hold(*output)) return false;
    table = output->shown ? *output->shown : IdentityTable(output->size);
    return true;
}

bool WlrGammaDisplays::Write(const std::string& name, const RampTable& table) {
    Output* output = Find(name);
    if (!output) return false;
    // The "captured" table back: the output goes back to the compositor, which shows its own.
    if (table == IdentityTable(table.Size())) {
        LetGo(*output);
        return true;
    }
    if (!Hold(*output)) return false;
    const RampTable sized = Resized(table, output->size);
    // A table of another length would end the whole connection (a protocol error).
    const std::size_t bytes = sized.entries.size() * sizeof(std::uint16_t);
    const int fd = ::memfd_create("lumeq-gamma", MFD_CLOEXEC);
    if (fd < 0) return false;
    const bool written = ::write(fd, sized.entries.data(), bytes) == static_cast<ssize_t>(bytes) &&
                         ::lseek(fd, 0, SEEK_SET) == 0;
    if (written) zwlr_gamma_control_v1_set_gamma(output->control, fd);
    ::close(fd);
    if (!written || wl_display_roundtrip(m_display) < 0 || output->failed) {
        LetGo(*output);
        return false;
    }
    output->shown = sized;
    return true;
}

int WlrGammaDisplays::Fd() const { return wl_display_get_fd(m_display); }

bool WlrGammaDisplays::Dispatch() {
    if (wl_display_dispatch(m_display) < 0) {
        // The compositor is gone: so are its outputs (and it restored their tables itself).
        m_changed = !m_outputs.empty();
        for (auto& output : m_outputs) output->control = nullptr;
        m_outputs.clear();
    }
    return std::exchange(m_changed, false);
}

}  // namespace lumeq
