// lumeq-gamma, the Linux edition: the same core as the Windows program, with Qt 6 for
// the windows and the tray, X11 for the hot keys and RandR for the ramps.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>
#include <QSocketNotifier>

#include <X11/Xlib.h>

#include <csignal>
#include <cstdio>
#include <memory>

#include <sys/socket.h>
#include <unistd.h>

#include "app/layout_model.h"
#include "linux/posix/file_stores_posix.h"
#include "linux/posix/state_files_posix.h"
#include "settings/xdg_paths.h"
#include "linux/qt/control_channel_qt.h"
#include "linux/qt/main_window_qt.h"
#include "linux/qt/x11_events_qt.h"
#include "linux/x11/lost_connection_x11.h"
#include "linux/gnome/mutter_displays.h"
#include "linux/qt/global_shortcuts_qt.h"
#include "linux/qt/portal_screenshot_qt.h"
#include "linux/qt/session_displays_qt.h"
#include "linux/wayland/wlr_gamma_displays.h"
#include "linux/x11/randr_displays_x11.h"
#include "linux/x11/screen_x11.h"
#ifdef LUMEQ_TEST_PROBE
#include "linux/qt/test_probe_qt.h"
#endif

namespace {

int g_signalPipe[2] = {-1, -1};

bool IsRunning(std::uint32_t processId, std::uint64_t processStart) {
    return lumeq::IsRunRunning(processId, processStart);
}

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[1], &byte, 1);
}

#ifdef LUMEQ_TEST_PROBE
// Test builds: with LUMEQ_TEST_REFUSE_OWN_RAMP set, the displays refuse to be given back
// the tables they had at the start, as a driver may refuse a ramp (Wine does for some).
class RefusingOwnRamp : public lumeq::DisplayRamp {
public:
    explicit RefusingOwnRamp(lumeq::DisplayRamp& displays) : m_displays(displays) {
        for (const std::string& name : m_displays.Names()) {
            lumeq::RampTable table;
            if (m_displays.Read(name, table)) m_own.emplace_back(name, table);
        }
    }
    std::vector<std::string> Names() override { return m_displays.Names(); }
    std::string Primary() override { return m_displays.Primary(); }
    bool Read(const std::string& name, lumeq::RampTable& table) override { return m_displays.Read(name, table); }
    bool Write(const std::string& name, const lumeq::RampTable& table) override {
        for (const auto& [own, ownTable] : m_own)
            if (own == name && ownTable == table) return false;
        return m_displays.Write(name, table);
    }
    std::string Seat(const std::string& name) override { return m_displays.Seat(name); }
    lumeq::DisplayFitness Fitness(const std::string& name) override { return m_displays.Fitness(name); }

private:
    lumeq::DisplayRamp& m_displays;
    std::vector<std::pair<std::string, lumeq::RampTable>> m_own;
};
#endif

std::optional<std::string> PicturesFolder() {
    FILE* pipe = ::popen("xdg-user-dir PICTURES 2>/dev/null", "r");
    if (!pipe) return std::nullopt;
    char line[4096] = {};
    const bool read = std::fgets(line, sizeof(line), pipe) != nullptr;
    const bool ok = ::pclose(pipe) == 0 && read;
    std::string folder = line;
    while (!folder.empty() && folder.back() == '\n') folder.pop_back();
    return ok && !folder.empty() ? std::optional<std::string>(folder) : std::nullopt;
}

// A lumeq.ini beside the binary keeps everything beside it.
bool IsPortable() { return QFileInfo::exists(QCoreApplication::applicationDirPath() + "/lumeq.ini"); }

lumeq::LinuxPaths FindPaths(bool portable) {
    const std::string programFolder = QCoreApplication::applicationDirPath().toStdString();
    return lumeq::PathsFor(
        [](std::string_view name) -> std::optional<std::string> {
            const char* value = std::getenv(std::string(name).c_str());
            if (value && *value == '/') return std::string(value);
            // Without a HOME of its own the user still has one: never a guess such as /tmp.
            return name == "HOME" ? lumeq::HomeFromPasswd() : std::nullopt;
        },
        portable ? std::nullopt : PicturesFolder(), programFolder, portable);
}

// The first run starts from the settings the Windows edition ships.
void CreateSettingsOnFirstRun(const std::string& config) {
    const QString path = QString::fromStdString(config + "/lumeq.ini");
    if (QFileInfo::exists(path)) return;
    QFile shipped(":/lumeq/lumeq.ini");
    if (!shipped.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = shipped.readAll();
    lumeq::MakeFolders(config);
    lumeq::ReplaceFile(config + "/lumeq.ini", reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                       static_cast<std::size_t>(bytes.size()));
}

bool IsWaylandSession() {
    const char* session = std::getenv("XDG_SESSION_TYPE");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (session && std::string(session) == "wayland") || (wayland && *wayland);
}

// Qt 6 makes a quit (the session manager's at logout) a request to close every window
// first, which the main window refuses (it goes to the tray): the session would end with the
// program, and the boost, still there. A quit leaves as "Salir" does instead.
class LeaveOnQuit : public QObject {
public:
    explicit LeaveOnQuit(lumeq::MainWindow& form) : m_form(form) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != QCoreApplication::instance() || event->type() != QEvent::Quit) return false;
        m_form.ExitSequence();
        return true;
    }

private:
    lumeq::MainWindow& m_form;
};

void SayAndShow(QMessageBox::Icon icon, const QString& text) {
    std::fprintf(stderr, "lumeq-gamma: %s\n", QString(text).replace('\n', ' ').toUtf8().constData());
    QMessageBox box(icon, "lumeq gamma", text, QMessageBox::Ok);
    box.exec();
}

std::string DesktopName() {
    const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
    return desktop ? desktop : "";
}

// Where the copy that runs keeps its lock and listens for control commands.
std::string InstanceFolder(const lumeq::LinuxPaths& paths) {
    return lumeq::PrivateRuntimeFolder(std::getenv("XDG_RUNTIME_DIR")).value_or(paths.state);
}

}  // namespace

int main(int argc, char* argv[]) {
    // `lumeq-gamma --toggle` and its kind: a word to the copy that runs, and nothing else.
    if (argc == 2) {
        if (const auto word = lumeq::ControlCommandArgument(argv[1])) {
            QCoreApplication command(argc, argv);
            return lumeq::SendControlCommand(InstanceFolder(FindPaths(IsPortable())) + "/lumeq-gamma.sock", *word);
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("lumeq-gamma");
    QApplication::setDesktopFileName("lumeq-gamma");
    QApplication::setQuitOnLastWindowClosed(false);
    const bool portable = IsPortable();
    const lumeq::LinuxPaths paths = FindPaths(portable);
    if (!portable) {
        // Not portable: the user's own folders only, where nobody else can plant a link to the
        // player's files or hold the lock.
        for (const std::string& folder : {paths.config, paths.state}) {
            lumeq::MakeFolders(folder);
            if (lumeq::IsUsersOwnFolder(folder)) continue;
            SayAndShow(QMessageBox::Critical,
                       QString::fromUtf8("La carpeta %1 no es del usuario o cualquiera puede escribir en ella: el "
                                         "programa no guarda nada ahí.\nAcción cancelada: la gamma de la pantalla no "
                                         "se tocó.")
                           .arg(QString::fromStdString(folder)));
            return 1;
        }
    }

    // The X server's displays; elsewhere (Wayland, another platform) none.
    Display* display = nullptr;
    if (auto* x11 = app.nativeInterface<QNativeInterface::QX11Application>()) display = x11->display();
    const bool wayland = IsWaylandSession();
    // The record of the ramps to give back belongs to this machine's display (the X server's,
    // else the Wayland compositor's); without either there is none to touch.
    const char* waylandSocket = std::getenv("WAYLAND_DISPLAY");
    const std::string displayIdentity =
        display   ? lumeq::DisplayIdentity(XDisplayString(display), wayland)
        : wayland ? lumeq::DisplayIdentity(waylandSocket && *waylandSocket ? waylandSocket : "wayland-0", true)
                  : "";
    const lumeq::RunIdentity run = lumeq::ThisRun(displayIdentity);
    const std::string recordPath = paths.state + "/" + lumeq::RecordFileName(run.host, displayIdentity);

    // A second copy is turned away before it touches the display or the files: they
    // belong to the copy that runs. The lock lives in the private runtime folder; a
    // second lock beside the record keeps out a copy that found another runtime folder
    // (or none), so that two copies never share one record.
    const lumeq::SingleInstanceLock instance(InstanceFolder(paths) + "/lumeq-gamma.lock");
    std::optional<lumeq::SingleInstanceLock> recordLock;
    if (!displayIdentity.empty() && instance.Outcome() == lumeq::SingleInstanceLock::State::Taken)
        recordLock.emplace(recordPath + ".lock");
    for (const lumeq::SingleInstanceLock* lock :
         std::initializer_list<const lumeq::SingleInstanceLock*>{&instance, recordLock ? &*recordLock : nullptr}) {
        if (!lock) continue;
        if (lock->Outcome() == lumeq::SingleInstanceLock::State::Held) {
            SayAndShow(QMessageBox::Critical, QString::fromUtf8(lumeq::kAlreadyRunningText));
            return 0;
        }
        if (lock->Outcome() == lumeq::SingleInstanceLock::State::Failed) {
            // Without the lock a second copy could share the record and lose the player's
            // own ramp: better not to start at all.
            SayAndShow(QMessageBox::Critical,
                       QString::fromUtf8("No se pudo comprobar si el programa ya está en ejecución:\n%1\n"
                                         "Acción cancelada: la gamma de la pantalla no se tocó.")
                           .arg(QString::fromStdString(lock->Failure())));
            return 1;
        }
    }
    CreateSettingsOnFirstRun(paths.config);

    lumeq::SessionDisplays session(display, wayland, DesktopName());
    lumeq::DisplayRamp* displays = &session.Ramps();

#ifdef LUMEQ_TEST_PROBE
    std::unique_ptr<RefusingOwnRamp> refusing;
    if (std::getenv("LUMEQ_TEST_REFUSE_OWN_RAMP")) {
        refusing = std::make_unique<RefusingOwnRamp>(*displays);
        displays = refusing.get();
    }
#endif

    // Before anything else: a previous run on this display that ended while boosted. A
    // record that holds no display's ramp gives the displays it names the straight line
    // (they may still be boosted). The record of earlier versions, named after no display,
    // is looked at too. A wlroots compositor gives its outputs their own tables back itself,
    // whenever our hold ends: nothing to record there.
    std::optional<lumeq::FileRecordStorage> recordStorage;
    std::optional<lumeq::CrashRecord> record;
    lumeq::CrashRecord::Recovery recovery;
    if (!displayIdentity.empty() && session.NeedsRecord()) {
        for (const std::string& legacyName :
             {std::string("captured-ramps"), lumeq::ColonRecordFileName(run.host, displayIdentity)}) {
            lumeq::FileRecordStorage legacyStorage(paths.state + "/" + legacyName);
            const auto legacy = lumeq::CrashRecord(legacyStorage, run, IsRunning).RecoverAtStart(*displays, true);
            recovery.refused = recovery.refused || legacy.refused;
            recovery.dropped = recovery.dropped || legacy.dropped;
        }
        recordStorage.emplace(recordPath);
        record.emplace(*recordStorage, run, IsRunning);
        const auto current = record->RecoverAtStart(*displays, true);
        recovery.refused = recovery.refused || current.refused;
        recovery.dropped = recovery.dropped || current.dropped;
    }

    // SIGTERM, SIGINT and SIGHUP (the end of the session) leave as "Salir" does, from the
    // event loop.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0) return 1;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(signal, &action, nullptr);
    // A closed stderr and one warning must not end a boosted program.
    ::signal(SIGPIPE, SIG_IGN);

    // A lost X connection ends the process inside Qt or Xlib: the ramps go back first.
    std::optional<lumeq::RestoreOnLostConnection> onLostConnection;
    if (display && record)
        onLostConnection.emplace(XDisplayString(display),
                                 [&record](lumeq::DisplayRamp& fresh) { record->RestoreOwn(fresh); });

    lumeq::X11Events events(display);
    app.installNativeEventFilter(&events);
    lumeq::MainWindow form(paths, *displays, record ? &*record : nullptr, display ? &events : nullptr);
    QSocketNotifier signalNotifier(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &form, [&form] { form.ExitSequence(); });
    LeaveOnQuit leaveOnQuit(form);
    app.installEventFilter(&leaveOnQuit);
    lumeq::ControlChannel control(InstanceFolder(paths) + "/lumeq-gamma.sock",
                                  [&form](int hotKey) { form.DispatchHotKey(hotKey); });
    std::optional<QSocketNotifier> compositor;
    if (lumeq::WlrGammaDisplays* wlr = session.Wlr()) {
        wlr->OnHeldElsewhere([&form](const std::string& name) { form.Tell(lumeq::Notice::OutputHeld, name); });
        compositor.emplace(wlr->Fd(), QSocketNotifier::Read);
        QObject::connect(&*compositor, &QSocketNotifier::activated, &form, [wlr, &form] {
            if (wlr->Dispatch()) form.OnDisplaysChanged();
        });
    }
    if (lumeq::RandrDisplays* randr = session.Randr()) {
        events.WatchOutputs([randr, &form] {
            randr->Refresh();
            form.OnDisplaysChanged();
        });
    }
    if (display) events.WatchForeground([&form] { form.OnForeground(); });
    // mutter sets its own tables again when the monitors change: ours go back at once.
    if (lumeq::MutterDisplays* mutter = session.Mutter()) mutter->OnChanged([&form] { form.OnDisplaysChanged(); });
    // In a Wayland session the keys reach the X grabs only over Xwayland's windows: the
    // desktop's global shortcuts too, where it offers them.
    std::optional<lumeq::GlobalShortcuts> shortcuts;
    lumeq::PortalScreenshot portalScreenshot;
    if (wayland) form.CaptureThrough([&portalScreenshot] { return portalScreenshot.Take(); });
    if (wayland)
        shortcuts.emplace([&form](int hotKey) { form.DispatchHotKey(hotKey); },
                          [&form](const QString& why) { form.TellNoShortcuts(why); });
    form.SetScreenOfGame([display]() -> QScreen* {
        const auto centre = lumeq::ActiveWindowCentre(display);
        return centre ? QGuiApplication::screenAt(QPoint(centre->first, centre->second)) : nullptr;
    });
#ifdef LUMEQ_TEST_PROBE
    lumeq::TestProbe probe(form);
#endif
    form.Load();
    if (recovery.refused) form.Tell(lumeq::Notice::RestoreFailed);
    if (recovery.dropped) form.Tell(lumeq::Notice::RecordDropped);
    if (!session.NoGamma().isEmpty()) form.TellNoGamma(session.NoGamma());
    return app.exec();
}
