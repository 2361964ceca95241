#pragma once
// The monitors of GNOME's compositor (mutter) on Wayland, through its display interface on
// the session bus (org.gnome.Mutter.DisplayConfig: GetResources, GetCrtcGamma and
// SetCrtcGamma, mutter 43 and later). One display per connector ("DP-1") that has a CRTC.
//
// Unlike a wlroots compositor, mutter keeps a table set this way after the program is gone,
// even killed: these writes are recorded against a crash exactly as X11's are. It also sets
// its own table again when the monitors change or the night light moves, and says so with
// MonitorsChanged.
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gamma/engine_ports.h"

namespace lumeq {

class MutterDisplays : public QObject, public DisplayRamp {
    Q_OBJECT
public:
    // mutter on the session bus, when it answers; nothing otherwise.
    static std::unique_ptr<MutterDisplays> Connect();

    std::vector<std::string> Names() override;
    std::string Primary() override;
    bool Read(const std::string& name, RampTable& table) override;
    bool Write(const std::string& name, const RampTable& table) override;
    std::string Seat(const std::string& name) override;

    // Called after the monitors changed (mutter has just set its own tables again).
    void OnChanged(std::function<void()> changed) { m_changed = std::move(changed); }

private slots:
    void OnMonitorsChanged();

private:
    MutterDisplays() = default;
    struct Monitor {
        std::string connector;
        unsigned crtc = 0;
        bool primary = false;
        int size = 0;  // entries a channel, once read
    };
    bool Refresh();
    Monitor* Find(const std::string& name);
    bool Set(const Monitor& monitor, const RampTable& sized);

    unsigned m_serial = 0;
    std::vector<Monitor> m_monitors;
    std::function<void()> m_changed;
};

}  // namespace lumeq
