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

class AutoActivation : public PanelsEvents, private WatcherSwitch {
public:
    struct Ports {
        Timers& timers;
        PanelsView& panels;
        ProcessList& processes;
        SettingsKeeper& settings;
    };
    // What it asks of the rest of the program: "Activar", "Desactivar", and the folder
    // warning hidden when the panel opens.
    struct Hooks {
        std::function<void()> activate;
        std::function<void()> deactivate;
        std::function<void()> hideWarning;
    };
    AutoActivation(Ports ports, Hooks hooks) : m_ports(ports), m_hooks(std::move(hooks)) {}

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
    std::string ListProcesses() override { return m_ports.processes.ListProcesses(); }
    void Activate() override { m_hooks.activate(); }
    void Deactivate() override { m_hooks.deactivate(); }
    std::string NameBox(int index) const override;

    void ReadSettings();
    void SetNames(const std::array<std::string, 4>& names);

    Ports m_ports;
    Hooks m_hooks;
    ProcessWatcher m_watcher{*this};
    bool m_checked = false;  // the panel's tick
};

}  // namespace lumeq
