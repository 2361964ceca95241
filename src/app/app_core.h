#pragma once
// The program's core, whatever shell drives it: it wires the parts, each with its own
// ports, and routes the shell's events to them.
//
// A command that arrives while the watcher's tick runs (the Windows process list lets
// waiting messages run after each process it reads) runs right after the tick, in the
// order it came, in every shell. Leaving is the exception: it runs at once.
#include <functional>
#include <string>
#include <vector>

#include "app/activation.h"
#include "app/app_ports.h"
#include "app/tray_model.h"
#include "app/window_presence.h"
#include "autoactivation/auto_activation.h"
#include "gamma/crash_record.h"
#include "screenshots/screenshot_sequence.h"

namespace lumeq {

struct AppPorts {
    Timers& timers;
    MainView& main;
    IndicatorView& indicator;
    PanelsView& panels;
    ScreenshotsView& screenshotsView;
    ScreenshotStore& screenshots;
    SettingsFileStore& settings;
    DisplayRamp& displays;
    LevelStore& levelStore;
    CaptureJournal* journal;
    LevelView* levelView;  // where the shell shows the level (none: nowhere)
    ProcessList& processes;
    NightLight* nightLight = nullptr;
};

class AppCore : public PanelsEvents {
public:
    AppCore(AppPorts ports, std::string decimalSeparator);
    AppCore(const AppCore&) = delete;
    AppCore& operator=(const AppCore&) = delete;

    // The start-up, in its order; the shell makes its window, icon and strip around it.
    // `recovery`: what the start-up's recovery of a run that ended while boosted left to tell.
    void StartUp(StartupShell& shell, const CrashRecord::Recovery& recovery = {});

    void SwitchOn() { m_activation.SwitchOn(); }
    void SwitchOff() { m_activation.SwitchOff(); }
    bool IsOn() const { return m_boost.IsOn(); }
    void DispatchHotKey(int id);
    // False for the entries only the shell carries out (leaving, the box, the site, the folder).
    bool RunMenuCommand(Command command);
    void OnTrayEvent(TrayEvent event);
    void OnCloseRequest();
    void OnTimer(TimerId timer);
    void OnSliderInput(int level);
    void OnDisplaysChanged();  // also an unlock of the session and a resume
    void OnForeground();       // another window took the foreground
    // The information box's text (with what HDR means, once a display was found in it).
    std::string Information() const;

    void AutoActivationTicked(bool ticked) override;
    void AcceptAutoActivation() override;
    void OpenProgramsPanel() override;
    void AcceptPrograms() override;
    void NameEdited(int box, std::string text) override;

    // Every timer stops and the watcher is disarmed first, so nothing switches the boost on
    // again once the ramps are back; false when a display did not take its ramp back.
    bool Leave();
    void Tell(Notice notice, std::string_view detail = {}, bool silently = false) {
        m_strip.Tell(notice, detail, silently);
    }
    const Settings& SettingsFields() const { return m_settings.Fields(); }
    const ProcessWatcher& Watcher() const { return m_auto.Watcher(); }

private:
    // Runs a command now, or right after the watcher's tick when one runs.
    void Run(std::function<void()> command);
    // Who keeps replacing the ramp, asked of the process list only when a display is left to it.
    const std::function<std::string()> m_otherRampProgram = [this] {
        return OtherRampProgram(m_ports.processes.ListProcesses());
    };

    AppPorts m_ports;
    IndicatorStrip m_strip;
    SettingsKeeper m_settings;
    BoostSession m_boost;
    Activation m_activation;
    WindowPresence m_presence;
    ScreenshotSequence m_screenshots;
    AutoActivation m_auto;
    bool m_inTick = false;
    bool m_leaving = false;  // "Salir" ran: what still waits after a tick does not
    std::vector<std::function<void()>> m_afterTick;
};

}  // namespace lumeq
