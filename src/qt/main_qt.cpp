// lumeq-gamma, the Linux edition: the same core as the Windows program, with Qt 6 for
// the windows and the tray, X11 for the hot keys and RandR for the ramps.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QSocketNotifier>

#include <X11/Xlib.h>

#include <csignal>
#include <cstdio>
#include <memory>

#include <sys/socket.h>
#include <unistd.h>

#include "linux/file_stores_posix.h"
#include "linux/state_files_posix.h"
#include "linux/xdg_paths.h"
#include "qt/form_main_qt.h"
#include "qt/x11_events_qt.h"
#include "x11/randr_displays_x11.h"
#include "x11/vidmode_displays_x11.h"
#ifdef LUMEQ_TEST_PROBE
#include "qt/test_probe_qt.h"
#endif

namespace {

int g_signalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[1], &byte, 1);
}

// Where X gamma cannot reach the screen: no displays at all.
class NoDisplays : public lumeq::DisplayRamp {
public:
    std::vector<std::string> Names() override { return {}; }
    std::string Primary() override { return {}; }
    bool Read(const std::string&, lumeq::GammaRamp&) override { return false; }
    bool Write(const std::string&, const lumeq::GammaRamp&) override { return false; }
};

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

lumeq::LinuxPaths FindPaths() {
    const std::string programFolder = QCoreApplication::applicationDirPath().toStdString();
    const bool portable = QFileInfo::exists(QCoreApplication::applicationDirPath() + "/lumeq.ini");
    return lumeq::PathsFor(
        [](std::string_view name) -> std::optional<std::string> {
            const char* value = std::getenv(std::string(name).c_str());
            return value && *value ? std::optional<std::string>(value) : std::nullopt;
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

void SayAndShow(QMessageBox::Icon icon, const QString& text) {
    std::fprintf(stderr, "lumeq-gamma: %s\n", QString(text).replace('\n', ' ').toUtf8().constData());
    QMessageBox box(icon, "lumeq gamma", text, QMessageBox::Ok);
    box.exec();
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("lumeq-gamma");
    QApplication::setDesktopFileName("lumeq-gamma");
    QApplication::setQuitOnLastWindowClosed(false);
    const lumeq::LinuxPaths paths = FindPaths();

    // A second copy is turned away before it touches the display or the files: they
    // belong to the copy that runs.
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const lumeq::SingleInstanceLock instance((runtime && *runtime ? std::string(runtime) : paths.state) +
                                             "/lumeq-gamma.lock");
    if (instance.OtherCopyRuns()) {
        SayAndShow(QMessageBox::Critical, QString::fromUtf8("El programa ya está en ejecución!\nAcción cancelada."));
        return 0;
    }
    CreateSettingsOnFirstRun(paths.config);

    // The X server's displays; elsewhere (Wayland, another platform) none.
    Display* display = nullptr;
    if (auto* x11 = app.nativeInterface<QNativeInterface::QX11Application>()) display = x11->display();
    std::unique_ptr<lumeq::RandrDisplays> randr;
    std::unique_ptr<lumeq::VidModeDisplays> vidMode;
    NoDisplays none;
    lumeq::DisplayRamp* displays = &none;
    QString noGamma;
    const char* session = std::getenv("XDG_SESSION_TYPE");
    if (!display) {
        noGamma = QString::fromUtf8("Esta sesión no es de X11: el programa no puede cambiar la gamma de la pantalla.");
    } else {
        randr = std::make_unique<lumeq::RandrDisplays>(display);
        if (randr->Available() && !randr->Names().empty()) {
            displays = randr.get();
        } else {
            // An older server: the whole screen's one ramp.
            vidMode = std::make_unique<lumeq::VidModeDisplays>(display);
            if (vidMode->Available()) displays = vidMode.get();
        }
        if (session && std::string(session) == "wayland")
            noGamma = QString::fromUtf8(
                "Esta sesión es de Wayland, donde la gamma de X no llega a la pantalla: el programa sigue en marcha, "
                "pero no puede aclararla.");
        else if (displays == &none)
            noGamma = QString::fromUtf8(
                "El servidor X no ofrece gamma (ni RandR 1.2 ni XF86VidMode): el programa sigue en marcha, pero no "
                "puede aclarar la pantalla.");
    }

    // Before anything else: a previous run that was killed while boosted.
    const bool recovered = lumeq::RecoverDisplaysAfterCrash(*displays, paths.state + "/captured-ramps");

    // SIGTERM, SIGINT and SIGHUP (the end of the session) leave as "Salir" does, from the
    // event loop.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0) return 1;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(signal, &action, nullptr);

    lumeq::X11Events events(display);
    app.installNativeEventFilter(&events);
    lumeq::FormMain form(paths, *displays, display ? &events : nullptr);
    QSocketNotifier signalNotifier(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &form, [&form] { form.ExitSequence(); });
    if (randr && displays == randr.get()) {
        events.WatchOutputs([&randr, &form] {
            randr->Refresh();
            form.ReapplyLevel();
        });
    }
#ifdef LUMEQ_TEST_PROBE
    lumeq::TestProbe probe(form);
#endif
    form.Form_Load();
    if (!recovered) form.TellRestoreFailed();
    if (!noGamma.isEmpty()) form.TellNoGamma(noGamma);
    return app.exec();
}
