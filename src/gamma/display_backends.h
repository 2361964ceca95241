#pragma once
// The ways this program can reach the displays' gamma, as rows of one table, and the one
// place where a run chooses among them.
//
// A row says in which kind of session it may be tried, whether it reads tables back
// (wlr-gamma-control cannot), whether each display has a table of its own size (GDI gives
// every display 256 entries; XF86VidMode has one table for the screen), and whether its
// server gives every display its own table back when the program goes, even killed (then nothing needs recording: a record is kept
// only where the server does not). `open` connects and gives the displays, or nothing where
// the backend is not available here.
#include <functional>
#include <string>
#include <vector>

#include "gamma/engine_ports.h"

namespace lumeq {

enum class SessionKind { X11, Wayland, Windows };

struct DisplayBackend {
    std::string name;  // as the log names it: "X11 RandR", "wlr-gamma-control"...
    SessionKind session;
    bool readsBack;
    bool sizesPerOutput;
    bool restoresOnExit;
    std::function<DisplayRamp*()> open;
};

struct ChosenBackend {
    const DisplayBackend* backend = nullptr;  // nothing: no row is available in this session
    DisplayRamp* displays = nullptr;
    std::string log;  // one line: what was tried and what was chosen

    // Whether the ramps to give back must be recorded against a crash.
    bool NeedsRecord() const { return backend && !backend->restoresOnExit; }
};

// Opens the rows of `session`'s kind in order and takes the first that is available; the
// others are never opened (in a Wayland session, X11 gamma is never
// touched: Xwayland takes a write and shows nothing of it).
ChosenBackend ChooseBackend(const std::vector<DisplayBackend>& table, SessionKind session);

}  // namespace lumeq
