#include "autoactivation/auto_activation.h"

namespace lumeq {

namespace {
constexpr unsigned kTickMs = 1000;
constexpr unsigned kRearmMs = 500;
}  // namespace

void AutoActivation::ReadSettings() {
    m_ports.settings.Read();
    SetNames(m_ports.settings.Fields().names);
}

void AutoActivation::SetNames(const std::array<std::string, 4>& names) {
    m_ports.settings.Fields().names = names;
    m_ports.panels.SetNames(names);
    // Setting a box counts as editing it: the selected name is forgotten.
    m_watcher.NameChanged();
}

void AutoActivation::Start() {
    ReadSettings();
    if (!AutomaticActivationOn(m_ports.settings.Fields())) {
        m_checked = false;
        m_ports.panels.SetChecked(false);
        m_ports.timers.Stop(TimerId::WatcherTick);
        return;
    }
    m_ports.panels.SetChecked(true);
    AutoActivationTicked(true);
    m_ports.timers.Start(TimerId::WatcherTick, kTickMs);
}

void AutoActivation::OpenAutoActivationPanel() {
    m_hideWarning();
    m_ports.panels.ShowAutoActivationPanel(true);
}

void AutoActivation::OnWatcherRearm() {
    m_watcher.OnWatcherRearm();
    // Last: a start made by the re-arm restarts this timer through btDesactivar, and that
    // restart is cancelled here, so the re-arm runs once per start.
    m_ports.timers.Stop(TimerId::WatcherRearm);
}

void AutoActivation::Stop() {
    m_ports.timers.Stop(TimerId::WatcherRearm);
    m_ports.timers.Stop(TimerId::WatcherTick);
    m_watcher.Disarm();
}

void AutoActivation::AutoActivationTicked(bool ticked) {
    m_checked = ticked;
    if (ticked) {
        ReadSettings();
        m_ports.settings.SetAutomaticActivation(true);
        m_watcher.Arm();
        m_watcher.LookForStart();
        m_ports.panels.EnableOtherPrograms(true);
    } else {
        m_ports.settings.SetAutomaticActivation(false);
        m_watcher.Disarm();
        m_ports.panels.EnableOtherPrograms(false);
    }
}

void AutoActivation::AcceptAutoActivation() {
    m_ports.panels.ShowAutoActivationPanel(false);
    // The flag every write stores from now on, whatever a re-read put in AutoActivationFlag.
    m_ports.settings.Memory().Confirm(m_checked);
    m_ports.settings.SetAutomaticActivation(m_checked);
    m_ports.settings.Write(true);
    if (m_checked) {
        m_ports.timers.Start(TimerId::WatcherTick, kTickMs);
        m_ports.timers.Start(TimerId::WatcherRearm, kRearmMs);
        return;
    }
    SetNames({kNameSentinel, kNameSentinel, kNameSentinel, kNameSentinel});
    m_ports.boost.TurnOff();
}

void AutoActivation::OpenProgramsPanel() {
    ReadSettings();
    m_ports.panels.ShowProgramsPanel(true);
}

void AutoActivation::AcceptPrograms() {
    m_ports.panels.ShowProgramsPanel(false);
    m_ports.settings.Write(true);
}

void AutoActivation::NameEdited(int box, std::string text) {
    auto& names = m_ports.settings.Fields().names;
    if (box < 0 || box >= static_cast<int>(names.size())) return;
    names[static_cast<std::size_t>(box)] = std::move(text);
    m_watcher.NameChanged();
}

}  // namespace lumeq
