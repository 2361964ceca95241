#pragma once
// Switches the boosted gamma on while a watched program runs and off when it has
// ended: polled once a second, with two arming flags and a one-shot re-arm 500 ms
// after every deactivation.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumeq {

struct ProcessEntry {
    std::string name;  // executable file name as the system reports it
    std::uint32_t id = 0;
};

// The scan's text: for each process its name, U+0001, its id in decimal, U+0001.
std::string ScanText(const std::vector<ProcessEntry>& processes);
// The list items "name:  id" of a scan text, in order.
std::vector<std::string> ListItems(std::string_view scanText);
// Which kind of program keeps setting the display's ramp, from the names in a scan
// ("Redshift", "Gammastep", the desktops' own night lights); a general name otherwise.
std::string OtherRampProgram(std::string_view scanText);
// Case-insensitive prefix test, as a list box searches (ASCII and Latin-1 letters).
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);

// The system's process list.
class ProcessList {
public:
    virtual ~ProcessList() = default;
    // funListarProcesos: the scan text; lets waiting window messages run after each process.
    virtual std::string ListProcesses() = 0;
};

// What the watcher needs from the program.
class WatcherSwitch : public ProcessList {
public:
    virtual void Activate() = 0;    // btActivar, where the boost is not on already
    virtual void Deactivate() = 0;  // btDesactivar, which also starts the re-arm timer
    // The text of name box 1 .. 4 (index 0 .. 3).
    virtual std::string NameBox(int index) const = 0;
};

class ProcessWatcher {
public:
    explicit ProcessWatcher(WatcherSwitch& host) : m_host(host) {}

    void OnWatcherTick();  // the tick, every 1000 ms
    void OnWatcherRearm();       // the re-arm; the host stops its timer right after it

    void SelectWatchedName();     // name selection
    void LookForStart();   // start check
    void LookForEnd();  // stop check
    bool IsListed(std::string_view name) const;

    // Automatic activation ticked: waiting for a start. Unticked: disarmed.
    void Arm();
    void Disarm();
    // A name box was edited or set: the selected name is forgotten.
    void NameChanged();

    const std::string& WatchedName() const { return m_watchedName; }
    bool WaitingForStart() const { return m_waitingForStart; }
    bool WaitingForEnd() const { return m_waitingForEnd; }
    const std::vector<std::string>& ListItemsSeen() const { return m_listItems; }
    // Ticks run to their end so far.
    unsigned Ticks() const { return m_ticks; }

private:
    WatcherSwitch& m_host;
    std::vector<std::string> m_listItems;
    std::string m_watchedName;
    std::string m_foundItem;
    bool m_waitingForStart = false;
    bool m_waitingForEnd = false;
    bool m_inTick = false;
    unsigned m_ticks = 0;
};

}  // namespace lumeq
