#pragma once
// Automatic activation: the flag stored in the settings file, the two panels where the
// player chooses it and names the programs, and the watcher, which switches the boost on
// while a watched program runs and off when it has ended: polled once a second, with two
// arming flags and a one-shot re-arm 500 ms after every deactivation.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "autoactivation/panels_view.h"
#include "platform/timers.h"
#include "settings/settings_keeper.h"

namespace lumeq {

struct ProcessEntry {
    std::string name;  // executable file name as the system reports it
    std::uint32_t id = 0;
    std::uint64_t startTime = 0;  // in the system's own units; 0 where it does not say
    bool operator==(const ProcessEntry&) const = default;
};

// Whether a watched name is running: a process's line "name:  id" begins with it, letters
// of any case (ASCII and Latin-1), as a list box finds a string.
bool IsListed(const std::vector<ProcessEntry>& processes, std::string_view name);
// Which kind of program keeps setting the display's ramp, from the names running
// ("Redshift", "Gammastep", the desktops' own night lights); a general name otherwise.
std::string OtherRampProgram(const std::vector<ProcessEntry>& processes);
// Case-insensitive prefix test (ASCII and Latin-1 letters).
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);

// The system's process list.
class ProcessList {
public:
    virtual ~ProcessList() = default;
    // Every running process; lets waiting window messages run while it looks.
    virtual std::vector<ProcessEntry> ListProcesses() = 0;
};

// The boost as the watcher switches it.
class BoostSwitch {
public:
    virtual ~BoostSwitch() = default;
    virtual void TurnOn() = 0;   // "Activar", where the boost is not on already
    virtual void TurnOff() = 0;  // "Desactivar", which also starts the re-arm timer
};

class ProcessWatcher {
public:
    // `names`: the four name boxes' texts, as the settings hold them.
    ProcessWatcher(ProcessList& processes, BoostSwitch& boost, const std::array<std::string, 4>& names)
        : m_processes(processes), m_boost(boost), m_names(names) {}

    void OnWatcherTick();   // the tick, every 1000 ms
    void OnWatcherRearm();  // the re-arm; its timer is stopped right after it

    void SelectWatchedName();  // the last of the four names whose program runs
    void LookForStart();
    void LookForEnd();

    // Automatic activation ticked: waiting for a start. Unticked: disarmed.
    void Arm();
    void Disarm();
    // A name box was edited or set: the selected name is forgotten.
    void NameChanged() { m_watchedName.clear(); }

    const std::string& WatchedName() const { return m_watchedName; }
    bool WaitingForStart() const { return m_waitingForStart; }
    bool WaitingForEnd() const { return m_waitingForEnd; }
    const std::vector<ProcessEntry>& Seen() const { return m_seen; }
    // Ticks run to their end so far.
    unsigned Ticks() const { return m_ticks; }

private:
    ProcessList& m_processes;
    BoostSwitch& m_boost;
    const std::array<std::string, 4>& m_names;
    std::vector<ProcessEntry> m_seen;  // the processes of the last look
    std::string m_watchedName;
    bool m_waitingForStart = false;
    bool m_waitingForEnd = false;
    bool m_inTick = false;
    unsigned m_ticks = 0;
};


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
