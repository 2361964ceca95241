#pragma once
// The displays this run sets the gamma of, chosen once from the table of backends: in an X11
// session RandR, else XF86VidMode; in a Wayland session the compositor's wlr-gamma-control,
// else GNOME's mutter; never X11 gamma in a Wayland session (Xwayland takes a write and shows
// nothing of it). Where none answers, no displays, and a text that tells the player why.
#include <QString>

#include <memory>
#include <string>

#include "gamma/display_backends.h"

typedef struct _XDisplay Display;

namespace lumeq {

class RandrDisplays;
class VidModeDisplays;
class WlrGammaDisplays;
class MutterDisplays;

class SessionDisplays {
public:
    // `display` is the X server's connection, if any; `desktop` as XDG_CURRENT_DESKTOP names it.
    SessionDisplays(Display* display, bool wayland, const std::string& desktop);
    ~SessionDisplays();
    SessionDisplays(const SessionDisplays&) = delete;
    SessionDisplays& operator=(const SessionDisplays&) = delete;

    DisplayRamp& Ramps() { return m_chosen.displays ? *m_chosen.displays : m_none; }
    // Whether the ramps to give back must be recorded against a crash (the server keeps ours).
    bool NeedsRecord() const { return m_chosen.NeedsRecord(); }
    // Why the program cannot brighten here; empty when it can.
    const QString& NoGamma() const { return m_noGamma; }

    // The chosen backend, where the shell must wire its events; nothing for the others.
    RandrDisplays* Randr() const;
    WlrGammaDisplays* Wlr() const;
    MutterDisplays* Mutter() const;

private:
    class NoDisplays : public DisplayRamp {
    public:
        std::vector<std::string> Names() override { return {}; }
        std::string Primary() override { return {}; }
        bool Read(const std::string&, RampTable&) override { return false; }
        bool Write(const std::string&, const RampTable&) override { return false; }
    };

    std::unique_ptr<RandrDisplays> m_randr;
    std::unique_ptr<VidModeDisplays> m_vidMode;
    std::unique_ptr<WlrGammaDisplays> m_wlr;
    std::unique_ptr<MutterDisplays> m_mutter;
    NoDisplays m_none;
    std::vector<DisplayBackend> m_table;
    ChosenBackend m_chosen;
    QString m_noGamma;
};

}  // namespace lumeq
