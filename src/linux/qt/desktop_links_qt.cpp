#include "linux/qt/main_window_qt.h"
#include "linux/qt/desktop_links_qt.h"

#include <csignal>
#include <functional>

#include <sys/socket.h>
#include <unistd.h>

#include "linux/gnome/mutter_displays.h"
#include "linux/qt/session_displays_qt.h"
#include "linux/qt/x11_events_qt.h"
#include "linux/wayland/wlr_gamma_displays.h"
#include "linux/x11/randr_displays_x11.h"
#include "linux/x11/screen_x11.h"

namespace lumeq {

namespace {

int g_signalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[1], &byte, 1);
}

// Qt 6 makes a quit (the session manager's at logout) a request to close every window
// first, which the main window refuses (it goes to the tray): the session would end with the
// program, and the boost, still there. A quit leaves as "Salir" does instead.
class LeaveOnQuit : public QObject {
public:
    explicit LeaveOnQuit(MainWindow& form) : m_form(form) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != QCoreApplication::instance() || event->type() != QEvent::Quit) return false;
        m_form.ExitSequence();
        return true;
    }

private:
    MainWindow& m_form;
};

}  // namespace

bool CatchEndSignals() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0) return false;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(signal, &action, nullptr);
    // A closed stderr and one warning must not end a boosted program.
    ::signal(SIGPIPE, SIG_IGN);
    return true;
}

DesktopLinks::DesktopLinks(QApplication& app, MainWindow& form, SessionDisplays& session, X11Events& events,
                           Display* display, bool wayland, const std::string& controlSocket)
    : m_signals(g_signalPipe[0], QSocketNotifier::Read),
      m_leaveOnQuit(std::make_unique<LeaveOnQuit>(form)),
      m_control(controlSocket, [&form](int hotKey) { form.DispatchHotKey(hotKey); }) {
    QObject::connect(&m_signals, &QSocketNotifier::activated, &form, [&form] { form.ExitSequence(); });
    app.installEventFilter(m_leaveOnQuit.get());
    if (WlrGammaDisplays* wlr = session.Wlr()) {
        wlr->OnHeldElsewhere([&form](const std::string& name) { form.Tell(Notice::OutputHeld, name); });
        m_compositor.emplace(wlr->Fd(), QSocketNotifier::Read);
        QObject::connect(&*m_compositor, &QSocketNotifier::activated, &form, [wlr, &form] {
            if (wlr->Dispatch()) form.OnDisplaysChanged();
        });
    }
    if (RandrDisplays* randr = session.Randr()) {
        events.WatchOutputs([randr, &form] {
            randr->Refresh();
            form.OnDisplaysChanged();
        });
    }
    if (display) events.WatchForeground([&form] { form.OnForeground(); });
    // mutter sets its own tables again when the monitors change: ours go back at once.
    if (MutterDisplays* mutter = session.Mutter()) mutter->OnChanged([&form] { form.OnDisplaysChanged(); });
    // In a Wayland session the keys reach the X grabs only over Xwayland's windows: the
    // desktop's global shortcuts too, where it offers them.
    if (wayland) {
        form.CaptureThrough([this] { return m_portalScreenshot.Take(); });
        m_shortcuts.emplace([&form](int hotKey) { form.DispatchHotKey(hotKey); },
                            [&form](const QString& why) { form.TellNoShortcuts(why); });
    }
    form.FollowGame(std::bind_front(ActiveWindowCentre, display));
}

DesktopLinks::~DesktopLinks() {
    if (m_leaveOnQuit) QCoreApplication::instance()->removeEventFilter(m_leaveOnQuit.get());
}

}  // namespace lumeq
