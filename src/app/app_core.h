#pragma once
// The program's behaviour, whatever shell drives it: the activation state and its order
// of steps, the level steps, the hot keys, the icon's mouse events, automatic activation
// with its timers, the settings file, and the screenshots. Typed state lives here; the
// shell's hidden fields are mirrors written from it. Every platform service is a port.
#include <array>
#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "app/app_ports.h"
#include "autoactivation/panels_view.h"
#include "autoactivation/process_watcher.h"
#include "gamma/gamma_config.h"
#include "indicator/indicator_text.h"
#include "indicator/indicator_view.h"
#include "screenshots/screenshot_ports.h"
#include "settings/settings_file.h"

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
    Slider& slider;
    ProcessList& processes;
    NightLight* nightLight = nullptr;  // where the desktop has one to hold off
};

// What differs between the platforms, decided by each shell.
struct CorePolicies {
    // Leave a display to another program that keeps setting its own ramp (three rewrites
    // within half a minute), and tell which one: a night light on Linux.
    bool yieldToOtherRamps = false;
};

class AppCore : public PanelsEvents, private WatcherHost {
public:
    AppCore(AppPorts ports, std::string decimalSeparator, CorePolicies policies = {});
    AppCore(const AppCore&) = delete;
    AppCore& operator=(const AppCore&) = delete;

    // Start-up, in two parts the shell runs in their places: the settings file and the
    // stored automatic-activation flag; later the screenshots counted. The boost is off.
    void Start();
    void StartScreenshots();

    // Activation state (every change goes through these two, in the written order).
    void btActivar_Click();
    void btDesactivar_Click();
    bool IsOn() const { return m_on; }

    // Level steps, from the menus, the hot keys and the slider's own input.
    void StepLevel(int step);
    void OnSliderInput();
    // The displays changed, the session was unlocked or the system resumed: the ramps were
    // reset, a display that refused the level may take it now, and one that came back may
    // still be owed its own.
    void OnDisplaysChanged();

    void DispatchHotKey(int id);
    // A menu bar or popup entry chosen. The entries that only the shell can carry out
    // (leaving, the information box, the site, the folder) come back as false.
    bool RunMenuCommand(unsigned id);
    void OnTrayEvent(int code);
    void FunctionsRestaurar_Click();
    void OnCloseRequest();  // the close box: hidden to the icon
    void OnTimer(TimerId timer);

    // The automatic-activation panels.
    void menuActivacion_Click();
    void Check1_Click(bool ticked) override;
    void btAutoactivar_Click() override;
    void btOtrosProgramas_Click() override;
    void Command1_Click() override;
    void NameEdited(int box, std::string text) override;

    // Screenshots.
    void btScreen_Click();
    void menuCapturarPantalla_Click();
    void btCantidadArch_Click();

    // Leaving: "Salir" (both entries) and the end of the Windows session. Stops every
    // timer and disarms the watcher first, so nothing switches the boost on again once
    // the ramps are back; false when a display did not take its ramp back.
    bool Leave();
    // Told once in the strip (a refused restore at start-up or at a switch-off, a record
    // dropped or not kept).
    // `silently`: the shell told it its own way; it is not told again.
    void Tell(Notice notice, std::string_view detail = {}, bool silently = false);

    const Settings& SettingsFields() const { return m_fields; }
    const ProcessWatcher& Watcher() const { return m_watcher; }

private:
    std::string ListProcesses() override { return m_ports.processes.ListProcesses(); }
    void Activate() override { btActivar_Click(); }
    void Deactivate() override { btDesactivar_Click(); }
    std::string NameBox(int index) const override { return m_fields.names[static_cast<std::size_t>(index)]; }

    void funLeerConfig();
    void funGuardarConfig(bool askedByUser);
    void ApplyStoredActivation();
    void SetNames(const std::array<std::string, 4>& names);
    void SetActivationFlag(std::string flag);
    void ShowLevel();
    void SetShownFromIcon(bool shown);
    void TimerScreen_Timer();
    void SetTaken(std::int64_t taken);

    AppPorts m_ports;
    std::string m_decimalSeparator;
    CorePolicies m_policies;
    std::unique_ptr<GammaConfig> m_GammaEngine;
    ProcessWatcher m_watcher{*this};
    SettingsMemory m_settingsMemory;
    Settings m_fields;
    bool m_on = false;
    bool m_shownFromIcon = false;  // txtOculta
    bool m_checked = false;        // Check1
    std::int64_t m_taken = 0;      // TxtScreenNuevas
    std::int64_t m_count = 0;      // txtCantidad
    std::set<Notice> m_told;
};

}  // namespace lumeq
