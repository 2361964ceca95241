#include "app/app_core.h"

#include "app/activation.h"
#include "app/hotkey_model.h"
#include "app/layout_model.h"

namespace lumeq {

AppCore::AppCore(AppPorts ports, std::string decimalSeparator)
    : m_ports(ports),
      m_strip(ports.indicator, ports.timers),
      m_settings(ports.settings, ports.main, [this] { Tell(Notice::SettingsNotSaved); }),
      m_boost({ports.displays, ports.levelStore, ports.journal, ports.levelView, ports.nightLight}),
      m_activation(ports.main, ports.timers, m_strip, m_boost, decimalSeparator),
      m_presence(ports.main, ports.timers),
      m_screenshots({ports.timers, ports.screenshots, ports.screenshotsView, ports.main, m_settings},
                    decimalSeparator,
                    [this] {
                        // The folder warning brings the window back, and the strip turns red.
                        m_presence.SetShownFromIcon(true);
                        if (!IsOn()) m_ports.main.Window(WindowRequest::Show);
                        m_ports.main.SetCaptionColour(kCaptionsWarning);
                    }),
      m_auto({ports.timers, ports.panels, ports.processes, m_settings, m_activation},
             [this] { m_ports.screenshotsView.HideWarning(); }) {}

void AppCore::StartUp(StartupShell& shell, const CrashRecord::Recovery& recovery) {
    m_auto.Start();
    shell.RegisterHotKeys();
    shell.SizeAndPlace();
    m_screenshots.Start();
    // The first run ends once the folder exists: where it cannot be made (a read-only
    // program folder) the box would come back at every start, so it does not show.
    if (!shell.ScreenshotsFolderFound() && shell.MakeScreenshotsFolder()) shell.FirstRunBox();
    shell.ShowMainWindow();
    // What the recovery from a run that ended while boosted could not do.
    if (recovery.refused) Tell(Notice::RestoreFailed);
    if (recovery.dropped) Tell(Notice::RecordDropped);
}

void AppCore::Run(std::function<void()> command) {
    if (m_inTick)
        m_afterTick.push_back(std::move(command));
    else
        command();
}

void AppCore::DispatchHotKey(int id) {
    // Ctrl+F1 toggles; the other three act only while the boost is on; unknown ids do nothing.
    Run([this, id] {
        const bool on = IsOn();
        switch (static_cast<HotKeyId>(id)) {
            case HotKeyId::CtrlF1: on ? SwitchOff() : SwitchOn(); break;
            case HotKeyId::CtrlF2: if (on) m_screenshots.TakeScreenshot(); break;
            case HotKeyId::CtrlF3: if (on) m_activation.StepLevel(-1); break;
            case HotKeyId::CtrlF4: if (on) m_activation.StepLevel(+1); break;
        }
    });
}

bool AppCore::RunMenuCommand(Command command) {
    std::function<void()> action;
    switch (command) {
        case Command::BarSwitchOn:
        case Command::PopupSwitchOn: action = [this] { SwitchOn(); }; break;
        case Command::BarSwitchOff:
        case Command::PopupSwitchOff: action = [this] { SwitchOff(); }; break;
        case Command::BarLevelUp:
        case Command::PopupLevelUp: action = [this] { m_activation.StepLevel(+1); }; break;
        case Command::BarLevelDown:
        case Command::PopupLevelDown: action = [this] { m_activation.StepLevel(-1); }; break;
        case Command::BarAutoActivation: action = [this] { m_auto.OpenAutoActivationPanel(); }; break;
        case Command::PopupAutoActivation:
            action = [this] {
                m_auto.OpenAutoActivationPanel();
                m_ports.main.Window(WindowRequest::Show);
            };
            break;
        case Command::PopupRestore: action = [this] { m_presence.Restore(); }; break;
        case Command::BarScreenshot:
        case Command::PopupScreenshot: action = [this] { m_screenshots.ScreenshotFromMenu(); }; break;
        default: return false;
    }
    Run(std::move(action));
    return true;
}

void AppCore::OnTrayEvent(TrayEvent event) { Run([this, event] { m_presence.OnTrayEvent(event); }); }
void AppCore::OnCloseRequest() { Run([this] { m_presence.OnCloseRequest(); }); }
void AppCore::OnSliderInput(int level) { Run([this, level] { m_activation.OnSliderInput(level); }); }
void AppCore::OnDisplaysChanged() { Run([this] { m_activation.OnDisplaysChanged(); }); }
void AppCore::OnForeground() {
    Run([this] { m_activation.OnForeground(m_otherRampProgram); });
}
std::string AppCore::Information() const { return InformationText(m_boost.SawHdr()); }

void AppCore::OnTimer(TimerId timer) {
    if (timer == TimerId::WatcherTick) {
        if (m_inTick) return;  // a tick that comes round inside its own
        m_inTick = true;
        m_auto.OnWatcherTick();
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
            case TimerId::WatcherRearm: m_auto.OnWatcherRearm(); break;
            case TimerId::ScreenshotDelay: m_screenshots.OnScreenshotDelay(); break;
            case TimerId::ShowAgain: m_presence.OnShowAgain(); break;
            case TimerId::StripHide: m_strip.OnStripHide(); break;
            case TimerId::RampWatch:
                m_activation.RampWatch_Timer(m_otherRampProgram);
                break;
            case TimerId::ForegroundLook:
                m_activation.ForegroundLook_Timer(m_otherRampProgram);
                break;
            case TimerId::WatcherTick: break;
        }
    });
}

void AppCore::AutoActivationTicked(bool ticked) { Run([this, ticked] { m_auto.AutoActivationTicked(ticked); }); }
void AppCore::AcceptAutoActivation() { Run([this] { m_auto.AcceptAutoActivation(); }); }
void AppCore::OpenProgramsPanel() { Run([this] { m_auto.OpenProgramsPanel(); }); }
void AppCore::AcceptPrograms() { Run([this] { m_auto.AcceptPrograms(); }); }
void AppCore::NameEdited(int box, std::string text) {
    Run([this, box, text = std::move(text)]() mutable { m_auto.NameEdited(box, std::move(text)); });
}

bool AppCore::Leave() {
    for (int timer = 0; timer < kTimerCount; ++timer)
        if (static_cast<TimerId>(timer) != TimerId::StripHide) m_ports.timers.Stop(static_cast<TimerId>(timer));
    m_auto.Stop();
    m_leaving = true;
    m_afterTick.clear();
    SwitchOff();
    m_ports.timers.Stop(TimerId::WatcherRearm);
    return !m_strip.Told(Notice::RestoreFailed);
}

}  // namespace lumeq
