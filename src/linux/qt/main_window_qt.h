#pragma once
// The Linux edition's main window: the banner, its strip of labels, the menus, and the
// wiring between the core and Qt, X11 and the POSIX files. Decisions stay in AppCore.
#include <QImage>
#include <QMainWindow>
#include <QMessageBox>

#include <map>
#include <memory>

#include "app/app_core.h"
#include "linux/posix/file_stores_posix.h"
#include "linux/posix/proc_processes_posix.h"
#include "linux/posix/state_files_posix.h"
#include "settings/xdg_paths.h"
#include "linux/qt/strip_window_qt.h"
#include "linux/qt/night_light_qt.h"
#include "linux/qt/panels_qt.h"
#include "linux/qt/screenshot_controls_qt.h"

class QAction;
class QLabel;
class QMenu;
class QSystemTrayIcon;
class QTimer;

namespace lumeq {

class X11Events;

class MainWindow : public QMainWindow, private MainView, private Timers, private StartupShell {
public:
    // `displays` are the X server's (or none, where X gamma cannot reach the screen);
    // `journal` keeps the ramps to give back (none without an X display).
    MainWindow(const LinuxPaths& paths, DisplayRamp& displays, CaptureJournal* journal, X11Events* x11);
    ~MainWindow() override;

    // The start-up, in the order the Windows edition keeps; the window shows last.
    // `recovery`: what the start-up's recovery left to tell.
    void Load(const CrashRecord::Recovery& recovery);
    // "Salir", a signal or the end of the session: the ramps back, then the program ends.
    void ExitSequence();
    void Tell(Notice notice, std::string_view detail = {}) { m_core.Tell(notice, detail); }
    // A hot key, from the key grabs or from a control command (`lumeq-gamma --toggle`).
    void DispatchHotKey(int id);
    // The outputs changed: their ramps were reset, and one that came back may be owed its own.
    void OnDisplaysChanged() { m_core.OnDisplaysChanged(); }
    // Another window became the active one: a game may set its own ramp as it takes the keyboard.
    void OnForeground() { m_core.OnForeground(); }
    // Where the game is: the strip shows on its monitor.
    void FollowGame(StripWindow::GamePlace gamePlace) { m_strip.FollowGame(std::move(gamePlace)); }
    // Where the screen is taken from first (a Wayland desktop's portal); the X server's root
    // window when that gives nothing.
    void CaptureThrough(std::function<std::optional<QImage>()> capture) { m_capture = std::move(capture); }
    // Tells the player, once, that the display takes no ramp here.
    void TellNoGamma(const QString& why);
    // Tells the player that the keys reach the program only in part, and what to do.
    void TellNoShortcuts(const QString& why) { TellOnce(QMessageBox::Information, why); }

    // What the tests' probe reads: the hidden fields, the menus' entries, the tray.
    const std::map<Field, std::string>& Fields() const { return m_fields; }
    unsigned WatcherTicks() const { return m_core.Watcher().Ticks(); }
    QAction* Action(Command command) const;
    bool TrayShown() const;
    const StripWindow& Indicator() const { return m_strip; }
    bool HotKeyRegistered(int id) const;

protected:
    void closeEvent(QCloseEvent* event) override;
    // Once the window manager framed the placed window, the whole frame is kept on the screen.
    void moveEvent(QMoveEvent* event) override;

private:
    // MainView
    void SetField(Field field, std::string_view text) override;
    void SetCaptionColour(Rgb colour) override;
    void SetMenuEntry(Command entry, bool enabled) override;
    void SetFolderCaption(std::string_view caption) override;
    void Window(WindowRequest request) override;
    void OpenPopup() override;
    // Timers
    void Start(TimerId timer, unsigned ms) override;
    void Stop(TimerId timer) override;

    void CreateControls();
    void CreateMenus();
    void CreateTray();
    void OnCommand(Command command);
    void ShowInformation();
    void OpenSite();
    void OpenScreenshotsFolder();
    // StartupShell: the start-up's steps, in the order the core asks for them.
    void RegisterHotKeys() override;
    void SizeAndPlace() override;
    bool ScreenshotsFolderFound() override;
    bool MakeScreenshotsFolder() override;
    void FirstRunBox() override;
    void ShowMainWindow() override;
    void TellOnce(QMessageBox::Icon icon, const QString& text);
    std::optional<std::vector<std::uint8_t>> CaptureScreen();
    std::function<std::optional<QImage>()> m_capture;

    LinuxPaths m_paths;
    X11Events* m_x11;
    PosixSettingsFile m_settings;
    PosixScreenshotFolder m_screenshots;
    FileLevelStore m_levelStore;
    ProcProcesses m_processes;
    KWinNightLight m_nightLight;
    StripWindow m_strip;
    AutoActivationPanels m_panels;
    ScreenshotControls m_screenshotControls;
    AppCore m_core;

    std::map<Field, std::string> m_fields;
    std::map<TimerId, QTimer*> m_timers;
    std::multimap<Command, QAction*> m_actions;  // menu bar and popup, by command
    QLabel* m_nameCaption = nullptr;
    QLabel* m_signatureCaption = nullptr;
    QLabel* m_levelCaption = nullptr;
    QMenu* m_popup = nullptr;
    QSystemTrayIcon* m_tray = nullptr;
    bool m_toldNoGamma = false;
    bool m_placed = false;  // put at the table's spot, its frame not yet fitted
    bool m_leaving = false;
};

}  // namespace lumeq
