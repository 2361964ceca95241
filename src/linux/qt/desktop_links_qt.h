#pragma once
// Everything of the desktop that reaches the main window once it exists: the end signals and
// the session's quit, the control commands, the displays' changes (RandR, a wlroots
// compositor, mutter), the window that takes the foreground, and on Wayland the portals'
// global shortcuts and screenshots.
#include <QApplication>
#include <QSocketNotifier>

#include <memory>
#include <optional>
#include <string>

#include "linux/qt/control_channel_qt.h"
#include "linux/qt/global_shortcuts_qt.h"
#include "linux/qt/portal_screenshot_qt.h"

typedef struct _XDisplay Display;

namespace lumeq {

class MainWindow;
class SessionDisplays;
class X11Events;

// SIGTERM, SIGINT and SIGHUP (the end of the session) are caught, to leave as "Salir" does
// from the event loop; a closed stderr no longer ends the program. False when they could not be.
bool CatchEndSignals();

class DesktopLinks {
public:
    DesktopLinks(QApplication& app, MainWindow& form, SessionDisplays& session, X11Events& events, Display* display,
                 bool wayland, const std::string& controlSocket);
    ~DesktopLinks();
    DesktopLinks(const DesktopLinks&) = delete;
    DesktopLinks& operator=(const DesktopLinks&) = delete;

private:
    QSocketNotifier m_signals;
    std::unique_ptr<QObject> m_leaveOnQuit;
    ControlChannel m_control;
    std::optional<QSocketNotifier> m_compositor;
    std::optional<GlobalShortcuts> m_shortcuts;
    PortalScreenshot m_portalScreenshot;
};

}  // namespace lumeq
