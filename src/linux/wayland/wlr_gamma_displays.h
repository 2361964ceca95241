#pragma once
// The outputs of a Wayland compositor that offers wlr-gamma-control (the wlroots compositors
// sway, labwc, river and Wayfire, Hyprland, niri): one display per wl_output, by the name the
// compositor gives it ("HDMI-A-1"; "output-N" where it gives none).
//
// The protocol cannot read a table. An output's own table is what the compositor shows while
// no client holds the output, and it comes back by itself when our hold ends: destroyed, or
// the program gone, even killed. So the table "captured" from an output we do not hold is the
// straight line at its size, a write of exactly that table lets the output go instead of
// setting it, and nothing needs recording for these outputs. While held, an output shows
// what we set (nobody else may set it), and that is what a read gives.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gamma/engine_ports.h"

struct wl_display;
struct wl_registry;
struct wl_output;
struct zwlr_gamma_control_manager_v1;
struct zwlr_gamma_control_v1;

namespace lumeq {

class WlrGammaDisplays : public DisplayRamp {
public:
    // The compositor of $WAYLAND_DISPLAY, when it offers the gamma manager; nothing otherwise
    // (no Wayland session, or a compositor without it: GNOME, KDE Plasma).
    static std::unique_ptr<WlrGammaDisplays> Connect(bool* offersGamma = nullptr);
    ~WlrGammaDisplays() override;
    WlrGammaDisplays(const WlrGammaDisplays&) = delete;
    WlrGammaDisplays& operator=(const WlrGammaDisplays&) = delete;

    std::vector<std::string> Names() override;
    std::string Primary() override;
    bool Read(const std::string& name, RampTable& table) override;
    bool Write(const std::string& name, const RampTable& table) override;

    // Whether any output lets us set its gamma now: each is taken and let go at once, nothing
    // set (an output without gamma, or one another client holds, refuses).
    bool AnyOutputTakesGamma();

    // The connection's file descriptor, for the event loop to watch.
    int Fd() const;
    // Reads and handles what the compositor sent; true when outputs came or went.
    bool Dispatch();
    // Called with an output's name when another client holds its gamma (or it has none).
    void OnHeldElsewhere(std::function<void(const std::string&)> told) { m_heldElsewhere = std::move(told); }

    // The protocol's callbacks (C linkage in the implementation).
    struct Output;
    void AddGlobal(std::uint32_t name, const char* interface, std::uint32_t version);
    void RemoveGlobal(std::uint32_t name);
    void Failed(Output& output);

private:
    WlrGammaDisplays() = default;
    Output* Find(const std::string& name);
    // Takes hold of an output's gamma; false when the compositor refuses it.
    bool Hold(Output& output);
    void LetGo(Output& output);

    wl_display* m_display = nullptr;
    wl_registry* m_registry = nullptr;
    zwlr_gamma_control_manager_v1* m_manager = nullptr;
    std::vector<std::unique_ptr<Output>> m_outputs;
    bool m_changed = false;
    std::function<void(const std::string&)> m_heldElsewhere;
};

}  // namespace lumeq
