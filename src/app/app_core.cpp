#include "app/app_core.h"

#include "app/activation_model.h"
#include "app/hotkey_model.h"
#include "app/layout_model.h"

namespace lumeq {

AppCore::AppCore(AppPorts ports, std::string decimalSeparator)
    : m_ports(ports),
      m_strip(ports.indicator, ports.timers),
      m_settings(ports.settings, ports.main, [this] { Tell(Notice::SettingsNotSaved); }),
      m_boost({ports.displays, ports.levelStore, ports.journal, ports.slider, ports.nightLight}),
      m_activation(ports.main, ports.timers, m_strip, m_boost, ports.slider, decimalSeparator),
      m_presence(ports.main, ports.timers),
      m_screenshots({ports.timers, ports.screenshots, ports.screenshotsView, ports.main, m_settings},
                    decimalSeparator,
                    [this] {
                        // The folder warning brings the window back, and the strip turns red.
                        m_presence.SetShownFromIcon(true);
                        if (!IsOn()) m_ports.main.Window(WindowRequest::Show);
                        m_ports.main.SetStripColour(kStripWarning);
                    }),
      m_auto({ports.timers, ports.panels, ports.processes, m_settings},
             {[this] {
                  if (!IsOn()) btActivar_Click();
              },
              [this] { btDesactivar_Click(); },
              [this] { m_ports.screenshotsView.HideWarning(); }}) {}

void AppCore::StartUp(StartupShell& shell) {
    m_auto.Start();
    shell.RegisterHotKeys();
    shell.SizeAndPlace();
    m_screenshots.Start();
    // The first run ends once the folder exists: where it cannot be made (a read-only
    // program folder) the box would come back at every start, so it does not show.
    if (!shell.ScreenshotsFolderFound() && shell.MakeScreenshotsFolder()) shell.FirstRunBox();
    shell.ShowMainWindow();
}

void AppCore::Run(std::function<void()> command) {
    if (m_inTick)
        m_afterTick.push_back(std::move(command));
    else
        command();
}

void AppCore::DispatchHotKey(int id) {
    Run([this, id] {
        switch (DecideHotKey(id, IsOn())) {
            case HotKeyAction::Activate: btActivar_Click(); break;
            case HotKeyAction::Deactivate: btDesactivar_Click(); break;
            case HotKeyAction::StepDown: m_activation.StepLevel(-1); break;
            case HotKeyAction::StepUp: m_activation.StepLevel(+1); break;
            case HotKeyAction::Screenshot: m_screenshots.btScreen_Click(); break;
            case HotKeyAction::None: break;
        }
    });
}

bool AppCore::RunMenuCommand(Command command) {
    std::function<void()> action;
    switch (command) {
        case Command::menuactivar:
        case Command::FunctionsActivar: action = [this] { btActivar_Click(); }; break;
        case Command::menudesactivar:
        case Command::FunctionsDesactivar: action = [this] { btDesactivar_Click(); }; break;
        case Command::masGamma:
        case Command::FunctionsmasGamma: action = [this] { m_activation.StepLevel(+1); }; break;
        case Command::menosGamma:
        case Command::FunctionsmenosGamma: action = [this] { m_activation.StepLevel(-1); }; break;
        case Command::menuActivacion: action = [this] { m_auto.menuActivacion_Click(); }; break;
        case Command::menuActivacionauto:
            action = [this] {
                m_auto.menuActivacion_Click();
                m_ports.main.Window(WindowRequest::Show);
            };
            break;
        case Command::FunctionsRestaurar: action = [this] { m_presence.FunctionsRestaurar_Click(); }; break;
        case Command::menuCapturarPantalla:
        case Command::menuCapturarPantalla2: action = [this] { m_screenshots.menuCapturarPantalla_Click(); }; break;
        default: return false;
    }
    Run(std::move(action));
    return true;
}

void AppCore::OnTrayEvent(TrayEvent event) { Run([this, event] { m_presence.OnTrayEvent(event); }); }
void AppCore::OnCloseRequest() { Run([this] { m_presence.OnCloseRequest(); }); }
void AppCore::OnSliderInput() { Run([this] { m_activation.OnSliderInput(); }); }
void AppCore::OnDisplaysChanged() { Run([this] { m_activation.OnDisplaysChanged(); }); }
void AppCore::OnForeground() {
    Run([this] { m_activation.OnForeground(m_otherRampProgram); });
}
std::string AppCore::Information() const { return InformationText(m_boost.SawHdr()); }

void AppCore::OnTimer(TimerId timer) {
    if (timer == TimerId::activacionTimer) {
        if (m_inTick) return;  // a tick that comes round inside its own
        m_inTick = true;
        m_auto.activacionTimer_Timer();
        m_inTick = false;
        // Taken before it runs: a command may run a modal loop (a menu) whose timer runs a
        // tick of its own, which must find only what arrived since, never replay these.
        std::vector<std::function<void()>> queued;
        queued.swap(m_afterTick);
        for (std::function<void()>& command : queued) {
            if (m_leaving) break;
            command();
        }
        return;
    }
    Run([this, timer] {
        switch (timer) {
            case TimerId::TimerReset: m_auto.TimerReset_Timer(); break;
            case TimerId::TimerScreen: m_screenshots.TimerScreen_Timer(); break;
            case TimerId::Timer2: m_presence.Timer2_Timer(); break;
            case TimerId::Timer1: m_strip.Timer1_Timer(); break;
            case TimerId::RampWatch:
                m_activation.RampWatch_Timer(m_otherRampProgram);
                break;
            case TimerId::ForegroundLook:
                m_activation.ForegroundLook_Timer(m_otherRampProgram);
                break;
            case TimerId::activacionTimer: break;
        }
    });
}

void AppCore::Check1_Click(bool ticked) { Run([this, ticked] { m_auto.Check1_Click(ticked); }); }
void AppCore::btAutoactivar_Click() { Run([this] { m_auto.btAutoactivar_Click(); }); }
void AppCore::btOtrosProgramas_Click() { Run([this] { m_auto.btOtrosProgramas_Click(); }); }
void AppCore::Command1_Click() { Run([this] { m_auto.Command1_Click(); }); }
void AppCore::NameEdited(int box, std::string text) {
    Run([this, box, text = std::move(text)]() mutable { m_auto.NameEdited(box, std::move(text)); });
}

bool AppCore::Leave() {
    for (int timer = 0; timer < kTimerCount; ++timer)
        if (static_cast<TimerId>(timer) != TimerId::Timer1) m_ports.timers.Stop(static_cast<TimerId>(timer));
    m_auto.Stop();
    m_leaving = true;
    m_afterTick.clear();
    btDesactivar_Click();
    m_ports.timers.Stop(TimerId::TimerReset);
    return !m_strip.Told(Notice::RestoreFailed);
}

}  // namespace lumeq
