#include "app/app_core.h"

#include "app/hotkey_model.h"
#include "app/tray_model.h"
#include "gamma/level_step.h"
#include "gamma/level_text.h"
#include "indicator/indicator_text.h"
#include "screenshots/folder_stats.h"
#include "ui/control_ids.h"

namespace lumeq {

namespace {
constexpr unsigned kTickMs = 1000;
constexpr unsigned kRearmMs = 500;
constexpr unsigned kRampWatchMs = 1000;
constexpr int kYieldRewrites = 3;  // within
constexpr int kYieldTicks = 30;    // ticks of the ramp watch: half a minute
constexpr unsigned kBringBackMs = 300;
constexpr unsigned kHotKeyShotDelayMs = 50;
constexpr unsigned kMenuShotDelayMs = 250;
constexpr char kNotSaved[] = "Screenshot no guardada";
}  // namespace

AppCore::AppCore(AppPorts ports, std::string decimalSeparator, CorePolicies policies)
    : m_ports(ports), m_decimalSeparator(std::move(decimalSeparator)), m_policies(policies) {}

void AppCore::Start() {
    funLeerConfig();
    ApplyStoredActivation();
}

void AppCore::StartScreenshots() {
    SetTaken(0);
    btCantidadArch_Click();
    m_ports.main.SetFolderCaption(FolderCaption(std::to_string(m_count), false));
    m_ports.main.SetField(Field::LbIndicador, "");
}

// ----- activation -----

void AppCore::btActivar_Click() {
    m_ports.main.SetStripColour(StripColour(true));
    m_on = true;
    // The desktop's night light holds off first, so that what is captured is the player's own.
    if (m_ports.nightLight) m_ports.nightLight->Hold(true);
    if (!m_GammaEngine) {
        m_GammaEngine = std::make_unique<GammaConfig>(m_ports.displays, m_ports.levelStore, m_ports.journal);
        if (m_policies.yieldToOtherRamps) m_GammaEngine->YieldAfter(kYieldRewrites, kYieldTicks);
    }
    m_GammaEngine->Initialize(m_ports.slider);
    // The mirror tells the state once the displays have it: the display calls may let
    // another program's request for the window's texts through before they return.
    m_ports.main.SetField(Field::estadoTxt, EstadoText(true));
    // While on, the displays are read back once a second (a game may replace our ramp).
    m_ports.timers.Start(TimerId::RampWatch, kRampWatchMs);
    for (const MenuEntryState& state : MenuStates(true)) m_ports.main.SetMenuEntry(state.entry, state.enabled);
    ShowLevel();
    // The player must know when the display would not take the level's ramp, and when a
    // crash now could not be undone.
    if (m_GammaEngine->HasCapture() && m_GammaEngine->LastRampRefused())
        m_ports.indicator.ShowText(IndicatorText(LevelText(m_ports.slider.Position(), m_decimalSeparator), true));
    if (m_GammaEngine->RecordFailed()) Tell(Notice::RecordNotKept);
}

void AppCore::btDesactivar_Click() {
    m_ports.main.SetStripColour(StripColour(false));
    m_on = false;
    if (m_GammaEngine) {
        const bool givenBack = m_GammaEngine->Release();
        m_GammaEngine.reset();
        if (!givenBack) Tell(Notice::RestoreFailed);
    }
    if (m_ports.nightLight) m_ports.nightLight->Hold(false);
    m_ports.main.SetField(Field::estadoTxt, EstadoText(false));
    m_ports.timers.Stop(TimerId::RampWatch);
    for (const MenuEntryState& state : MenuStates(false)) m_ports.main.SetMenuEntry(state.entry, state.enabled);
    // Every deactivation re-arms the watcher half a second later.
    m_ports.timers.Start(TimerId::TimerReset, kRearmMs);
}

void AppCore::ShowLevel() {
    const std::string text = LevelText(m_ports.slider.Position(), m_decimalSeparator);
    m_ports.main.SetField(Field::estado_txt, text);
    m_ports.main.SetField(Field::LbIndicador, text);
}

void AppCore::Tell(Notice notice, std::string_view detail, bool silently) {
    if (!m_told.insert(notice).second || silently) return;
    m_ports.indicator.ShowText(NoticeText(notice, detail));
}

// ----- levels, hot keys, the icon -----

void AppCore::StepLevel(int step) {
    const StepOutcome outcome = lumeq::StepLevel(m_ports.slider, step, m_GammaEngine.get());
    ShowLevel();
    m_ports.indicator.ShowText(IndicatorText(LevelText(outcome.level, m_decimalSeparator), !outcome.rampAccepted));
}

void AppCore::OnSliderInput() {
    if (!m_GammaEngine) return;
    m_GammaEngine->OnSliderInput();
    m_ports.main.SetField(Field::estado_txt, LevelText(m_ports.slider.Position(), m_decimalSeparator));
}

void AppCore::OnDisplaysChanged() {
    if (m_GammaEngine) {
        m_GammaEngine->ReapplyLevel();
    } else if (m_ports.journal && !GiveBackOwed(m_ports.displays, *m_ports.journal)) {
        Tell(Notice::RestoreFailed);
    }
}

void AppCore::DispatchHotKey(int id) {
    switch (DecideHotKey(id, m_on)) {
        case HotKeyAction::Activate: btActivar_Click(); break;
        case HotKeyAction::Deactivate: btDesactivar_Click(); break;
        case HotKeyAction::StepDown: StepLevel(-1); break;
        case HotKeyAction::StepUp: StepLevel(+1); break;
        case HotKeyAction::Screenshot: btScreen_Click(); break;
        case HotKeyAction::None: break;
    }
}

void AppCore::SetShownFromIcon(bool shown) {
    m_shownFromIcon = shown;
    m_ports.main.SetField(Field::txtOculta, shown ? "Si" : "No");
}

void AppCore::OnTrayEvent(int code) {
    const TrayReaction reaction = ReactToTrayEvent(code, m_shownFromIcon);
    if (reaction.showWindow) m_ports.main.Window(WindowRequest::Show);
    if (reaction.startTimer2) m_ports.timers.Start(TimerId::Timer2, kBringBackMs);
    if (reaction.shownFromIcon) SetShownFromIcon(*reaction.shownFromIcon);
    if (reaction.hideWindow) m_ports.main.Window(WindowRequest::Hide);
    if (reaction.openPopup) m_ports.main.OpenPopup();
}

bool AppCore::RunMenuCommand(unsigned id) {
    switch (id) {
        case ids::menuactivar:
        case ids::FunctionsActivar: btActivar_Click(); return true;
        case ids::menudesactivar:
        case ids::FunctionsDesactivar: btDesactivar_Click(); return true;
        case ids::masGamma:
        case ids::FunctionsmasGamma: StepLevel(+1); return true;
        case ids::menosGamma:
        case ids::FunctionsmenosGamma: StepLevel(-1); return true;
        case ids::menuActivacion: menuActivacion_Click(); return true;
        case ids::menuActivacionauto:
            menuActivacion_Click();
            m_ports.main.Window(WindowRequest::Show);
            return true;
        case ids::FunctionsRestaurar: FunctionsRestaurar_Click(); return true;
        case ids::menuCapturarPantalla:
        case ids::menuCapturarPantalla2: menuCapturarPantalla_Click(); return true;
        default: return false;
    }
}

void AppCore::FunctionsRestaurar_Click() {
    m_ports.main.Window(WindowRequest::Show);
    SetShownFromIcon(true);
}

void AppCore::OnCloseRequest() {
    m_ports.main.Window(WindowRequest::Hide);
    SetShownFromIcon(false);
}

void AppCore::OnTimer(TimerId timer) {
    switch (timer) {
        case TimerId::TimerReset:
            m_watcher.TimerReset_Timer();
            // Last: a start made by the re-arm restarts this timer through btDesactivar,
            // and that restart is cancelled here, so the re-arm runs once per start.
            m_ports.timers.Stop(TimerId::TimerReset);
            break;
        case TimerId::activacionTimer: m_watcher.activacionTimer_Timer(); break;
        case TimerId::TimerScreen: TimerScreen_Timer(); break;
        case TimerId::Timer2:
            m_ports.main.Window(WindowRequest::BringBack);
            m_ports.timers.Stop(TimerId::Timer2);
            break;
        case TimerId::RampWatch:
            // At most once a second the boosted ramp is set again where it was replaced,
            // unless another program keeps replacing it.
            if (m_GammaEngine) {
                m_GammaEngine->ReapplyIfReplaced();
                if (m_GammaEngine->TakeYielded())
                    Tell(Notice::OtherRamp, OtherRampProgram(m_ports.processes.ListProcesses()));
            }
            break;
    }
}

bool AppCore::Leave() {
    for (TimerId timer : {TimerId::TimerReset, TimerId::activacionTimer, TimerId::TimerScreen, TimerId::Timer2,
                          TimerId::RampWatch})
        m_ports.timers.Stop(timer);
    m_watcher.Disarm();
    btDesactivar_Click();
    m_ports.timers.Stop(TimerId::TimerReset);
    return !m_told.count(Notice::RestoreFailed);
}

// ----- automatic activation and the settings file -----

void AppCore::funLeerConfig() {
    const SettingsFileStore::Content read = m_ports.settings.Read();
    Settings fields = m_fields;
    m_settingsMemory.AfterRead(read.result, read.text, fields);
    m_fields.screenText = fields.screenText;
    m_ports.main.SetField(Field::screenText, m_fields.screenText);
    SetActivationFlag(fields.txtActivacion);
    SetNames(fields.names);
}

void AppCore::funGuardarConfig(bool askedByUser) {
    if (!askedByUser && !m_settingsMemory.MayWriteUnasked()) return;
    const Settings stored = m_settingsMemory.ToWrite(m_fields);
    // A failed write leaves the previous file whole; the player is told, once.
    if (m_ports.settings.Write(FormatSettings(stored)))
        m_settingsMemory.Written(stored);
    else
        Tell(Notice::SettingsNotSaved);
}

void AppCore::SetActivationFlag(std::string flag) {
    m_fields.txtActivacion = std::move(flag);
    m_ports.main.SetField(Field::txtActivacion, m_fields.txtActivacion);
}

void AppCore::SetNames(const std::array<std::string, 4>& names) {
    m_fields.names = names;
    m_ports.panels.SetNames(names);
    // Setting a box counts as editing it: the selected name is forgotten.
    m_watcher.NameChanged();
}

void AppCore::NameEdited(int box, std::string text) {
    if (box < 0 || box >= static_cast<int>(m_fields.names.size())) return;
    m_fields.names[static_cast<std::size_t>(box)] = std::move(text);
    m_watcher.NameChanged();
}

void AppCore::ApplyStoredActivation() {
    // Only the exact text "False" means off.
    if (m_fields.txtActivacion == "False") {
        m_checked = false;
        m_ports.panels.SetChecked(false);
        m_ports.timers.Stop(TimerId::activacionTimer);
        return;
    }
    m_ports.panels.SetChecked(true);
    Check1_Click(true);
    m_ports.timers.Start(TimerId::activacionTimer, kTickMs);
}

void AppCore::menuActivacion_Click() {
    m_ports.screenshotsView.HideWarning();
    m_ports.panels.ShowActivationPanel(true);
}

void AppCore::Check1_Click(bool ticked) {
    m_checked = ticked;
    if (ticked) {
        funLeerConfig();
        SetActivationFlag("True");
        m_watcher.Arm();
        m_watcher.btBuscaProcesoON();
        m_ports.panels.EnableOtrosProgramas(true);
    } else {
        SetActivationFlag("False");
        m_watcher.Disarm();
        m_ports.panels.EnableOtrosProgramas(false);
    }
}

void AppCore::btAutoactivar_Click() {
    m_ports.panels.ShowActivationPanel(false);
    // The flag every write stores from now on, whatever a re-read put in txtActivacion.
    m_settingsMemory.Confirm(m_checked);
    SetActivationFlag(m_checked ? "True" : "False");
    funGuardarConfig(true);
    if (m_checked) {
        m_ports.timers.Start(TimerId::activacionTimer, kTickMs);
        m_ports.timers.Start(TimerId::TimerReset, kRearmMs);
        return;
    }
    SetNames({kNameSentinel, kNameSentinel, kNameSentinel, kNameSentinel});
    btDesactivar_Click();
}

void AppCore::btOtrosProgramas_Click() {
    funLeerConfig();
    m_ports.panels.ShowProgramsPanel(true);
}

void AppCore::Command1_Click() {
    m_ports.panels.ShowProgramsPanel(false);
    funGuardarConfig(true);
}

// ----- screenshots -----

void AppCore::btScreen_Click() { m_ports.timers.Start(TimerId::TimerScreen, kHotKeyShotDelayMs); }
void AppCore::menuCapturarPantalla_Click() { m_ports.timers.Start(TimerId::TimerScreen, kMenuShotDelayMs); }

void AppCore::TimerScreen_Timer() {
    m_ports.timers.Stop(TimerId::TimerScreen);
    Numbering numbering{std::nullopt, m_fields.screenText};
    if (const auto jpeg = m_ports.screenshots.Capture()) {
        // The first free number from the counter on: a capture never replaces a file.
        auto create = [&](const std::string& number) {
            return m_ports.screenshots.CreateNew(ScreenshotFileName(number), *jpeg);
        };
        numbering = TakeFreeNumber(m_fields.screenText, create);
        // A long run of taken numbers: on from the highest one in the folder, so that a
        // capture always finds a free name.
        if (numbering.exhausted)
            if (const auto highest = HighestScreenshotNumber(m_ports.screenshots.Names()))
                numbering = TakeFreeNumber(NextCounter(*highest), create);
    }
    if (!numbering.used) {
        // Nothing saved: the counter stays, and the player is told.
        m_ports.screenshotsView.ShowCount(kNotSaved);
        return;
    }
    m_fields.screenText = numbering.next;
    m_ports.main.SetField(Field::screenText, m_fields.screenText);
    m_settingsMemory.CounterUsed(numbering.next);
    funGuardarConfig(false);
    SetTaken(m_taken + 1);
    m_ports.screenshotsView.ShowCount(NewScreenshotsText(m_taken));
    btCantidadArch_Click();
    m_ports.main.SetFolderCaption(FolderCaption(std::to_string(m_count), true));
}

void AppCore::SetTaken(std::int64_t taken) {
    m_taken = taken;
    m_ports.main.SetField(Field::TxtScreenNuevas, std::to_string(taken));
}

void AppCore::btCantidadArch_Click() {
    const auto [count, total] = m_ports.screenshots.Count();
    m_count = count;
    m_ports.main.SetField(Field::txtCantidad, std::to_string(count));
    if (count < kWarningCount) return;
    SetShownFromIcon(true);
    const std::string size = SizeText(total, m_decimalSeparator);
    m_ports.main.SetField(Field::FileSizeMB, size);
    m_ports.screenshotsView.ShowWarning(WarningCountText(count), WarningSizeText(size));
    if (!m_on) m_ports.main.Window(WindowRequest::Show);
    m_ports.main.SetStripColour(kStripWarning);
}

}  // namespace lumeq
