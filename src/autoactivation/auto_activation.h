#pragma once
// Automatic activation: the flag stored in the settings file, the two panels where the
// player chooses it and names the programs, and the watcher with its timers.
#include <functional>
#include <string>

#include "autoactivation/panels_view.h"
#include "autoactivation/process_watcher.h"
#include "platform/timers.h"
#include "settings/settings_keeper.h"

namespace lumeq {

class AutoActivation : public PanelsEvents {
public:
    struct Ports {
        Timers& timers;
        PanelsView& panels;
        ProcessList& processes;
        SettingsKeeper& settings;
        BoostSwitch& boost;
    };
    // `hideWarning`: the folder warning goes when the panel opens.
    AutoActivation(Ports ports, std::function<void()> hideWarning)
        : m_ports(ports), m_hideWarning(std::move(hideWarning)) {}

    // Start-up: the settings file, then the stored flag (only the exact text "False" is off).
    void Start();
    void OpenAutoActivationPanel();
    void OnWatcherRearm();
    void OnWatcherTick() { m_watcher.OnWatcherTick(); }
    // Leaving: the watcher switches nothing on again.
    void Stop();

    void AutoActivationTicked(bool ticked) override;
    void AcceptAutoActivation() override;
    void OpenProgramsPanel() override;
    void AcceptPrograms() override;
    void NameEdited(int box, std::string text) override;

    const ProcessWatcher& Watcher() const { return m_watcher; }

private:
    void ReadSettings();
    void SetNames(const std::array<std::string, 4>& names);

    Ports m_ports;
    std::function<void()> m_hideWarning;
    ProcessWatcher m_watcher{m_ports.processes, m_ports.boost, m_ports.settings.Fields().names};
    bool m_checked = false;  // the panel's tick
};

}  // namespace lumeq
