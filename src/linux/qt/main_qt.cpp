// lumeq-gamma, the Linux edition: the same core as the Windows program, with Qt 6 for
// the windows and the tray, X11 for the hot keys and RandR for the ramps.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>

#include <X11/Xlib.h>

#include <cstdio>
#include <memory>

#include <unistd.h>

#include "app/layout_model.h"
#include "linux/posix/file_stores_posix.h"
#include "linux/posix/state_files_posix.h"
#include "settings/xdg_paths.h"
#include "linux/qt/control_channel_qt.h"
#include "linux/qt/desktop_links_qt.h"
#include "linux/qt/main_window_qt.h"
#include "linux/qt/x11_events_qt.h"
#include "linux/x11/lost_connection_x11.h"
#include "linux/qt/session_displays_qt.h"
#ifdef LUMEQ_TEST_PROBE
#include "linux/qt/test_probe_qt.h"
#endif

namespace {

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

// Where not portable, the user's own folders only, where nobody else can plant a link to the
// player's files or hold the lock: an exit code when they are not.
std::optional<int> RefuseSharedFolders(const lumeq::LinuxPaths& paths, bool portable) {
    if (portable) return std::nullopt;
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
    return std::nullopt;
}

// The display this run works on, and its record of the ramps to give back.
struct Seat {
    Display* display = nullptr;  // the X server's; elsewhere (Wayland, another platform) none
    bool wayland = false;
    std::string identity;        // the X server's, else the Wayland compositor's; empty: none
    lumeq::RunIdentity run;
    std::string recordPath;
};

Seat SeatOf(QApplication& app, const lumeq::LinuxPaths& paths) {
    Seat seat;
    if (auto* x11 = app.nativeInterface<QNativeInterface::QX11Application>()) seat.display = x11->display();
    seat.wayland = IsWaylandSession();
    // The record belongs to this machine's display; without any there is none to touch.
    const char* waylandSocket = std::getenv("WAYLAND_DISPLAY");
    seat.identity = seat.display ? lumeq::DisplayIdentity(XDisplayString(seat.display), seat.wayland)
                    : seat.wayland
                        ? lumeq::DisplayIdentity(waylandSocket && *waylandSocket ? waylandSocket : "wayland-0", true)
                        : "";
    seat.run = lumeq::ThisRun(seat.identity);
    seat.recordPath = paths.state + "/" + lumeq::RecordFileName(seat.run.host, seat.identity);
    return seat;
}

// A second copy is turned away before it touches the display or the files: they belong to
// the copy that runs. The lock lives in the private runtime folder; a second lock beside the
// record keeps out a copy that found another runtime folder (or none), so that two copies
// never share one record. An exit code when the copy may not run.
struct Locks {
    std::optional<lumeq::SingleInstanceLock> instance;
    std::optional<lumeq::SingleInstanceLock> record;
};

std::optional<int> TakeLocks(Locks& locks, const lumeq::LinuxPaths& paths, const Seat& seat) {
    locks.instance.emplace(InstanceFolder(paths) + "/lumeq-gamma.lock");
    if (!seat.identity.empty() && locks.instance->Outcome() == lumeq::SingleInstanceLock::State::Taken)
        locks.record.emplace(seat.recordPath + ".lock");
    for (const auto* lock : {&locks.instance, &locks.record}) {
        if (!*lock) continue;
        if ((*lock)->Outcome() == lumeq::SingleInstanceLock::State::Held) {
            SayAndShow(QMessageBox::Critical, QString::fromUtf8(lumeq::kAlreadyRunningText));
            return 0;
        }
        if ((*lock)->Outcome() == lumeq::SingleInstanceLock::State::Failed) {
            // Without the lock a second copy could share the record and lose the player's
            // own ramp: better not to start at all.
            SayAndShow(QMessageBox::Critical,
                       QString::fromUtf8("No se pudo comprobar si el programa ya está en ejecución:\n%1\n"
                                         "Acción cancelada: la gamma de la pantalla no se tocó.")
                           .arg(QString::fromStdString((*lock)->Failure())));
            return 1;
        }
    }
    return std::nullopt;
}

// This run's record of the ramps to give back, where the session needs one: a wlroots
// compositor gives its outputs their own tables back itself, whenever our hold ends.
struct Record {
    std::optional<lumeq::FileRecordStorage> storage;
    std::optional<lumeq::CrashRecord> record;
    lumeq::CrashRecord* Get() { return record ? &*record : nullptr; }
};

// Before anything else: a previous run on this display that ended while boosted. A record
// that holds no display's ramp gives the displays it names the straight line (they may still
// be boosted). The records of earlier versions (one named after no display, one with a colon
// in its name) are looked at too.
lumeq::CrashRecord::Recovery Recover(Record& out, lumeq::DisplayRamp& displays, const lumeq::SessionDisplays& session,
                                     const Seat& seat, const lumeq::LinuxPaths& paths) {
    if (seat.identity.empty() || !session.NeedsRecord()) return {};
    out.storage.emplace(seat.recordPath);
    out.record.emplace(*out.storage, seat.run,
                       [](std::uint32_t id, std::uint64_t start) { return lumeq::IsRunRunning(id, start); });
    lumeq::FileRecordStorage unnamed(paths.state + "/captured-ramps");
    lumeq::FileRecordStorage colon(paths.state + "/" + lumeq::ColonRecordFileName(seat.run.host, seat.identity));
    return lumeq::RecoverAtStart(displays, *out.record, {&unnamed, &colon}, true);
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
    if (const auto refused = RefuseSharedFolders(paths, portable)) return *refused;
    const Seat seat = SeatOf(app, paths);
    Locks locks;
    if (const auto held = TakeLocks(locks, paths, seat)) return *held;
    CreateSettingsOnFirstRun(paths.config);

    lumeq::SessionDisplays session(seat.display, seat.wayland, DesktopName());
    lumeq::DisplayRamp* displays = &session.Ramps();
#ifdef LUMEQ_TEST_PROBE
    const auto refusing = lumeq::RefusingOwnRampIfAsked(*displays);
    if (refusing) displays = refusing.get();
#endif
    Record record;
    const lumeq::CrashRecord::Recovery recovery = Recover(record, *displays, session, seat, paths);
    if (!lumeq::CatchEndSignals()) return 1;
    // A lost X connection ends the process inside Qt or Xlib: the ramps go back first.
    std::optional<lumeq::RestoreOnLostConnection> onLostConnection;
    if (seat.display && record.Get())
        onLostConnection.emplace(XDisplayString(seat.display),
                                 [&record](lumeq::DisplayRamp& fresh) { record.Get()->RestoreOwn(fresh); });

    lumeq::X11Events events(seat.display);
    app.installNativeEventFilter(&events);
    lumeq::MainWindow form(paths, *displays, record.Get(), seat.display ? &events : nullptr);
    lumeq::DesktopLinks links(app, form, session, events, seat.display, seat.wayland,
                              InstanceFolder(paths) + "/lumeq-gamma.sock");
#ifdef LUMEQ_TEST_PROBE
    lumeq::TestProbe probe(form);
#endif
    form.Load(recovery);
    if (!session.NoGamma().isEmpty()) form.TellNoGamma(session.NoGamma());
    return app.exec();
}
