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
class WatcherHost : public ProcessList {
public:
    virtual void Activate() = 0;    // btActivar, where the boost is not on already
    virtual void Deactivate() = 0;  // btDesactivar, which also starts the re-arm timer
    // The text of name box busqueda_Proceso1 .. 4 (index 0 .. 3).
    virtual std::string NameBox(int index) const = 0;
};

class ProcessWatcher {
public:
    explicit ProcessWatcher(WatcherHost& host) : m_host(host) {}

    void activacionTimer_Timer();  // the tick, every 1000 ms
    void TimerReset_Timer();       // the re-arm; the host stops its timer right after it

    void btBuscaProceso();     // name selection
    void btBuscaProcesoON();   // start check
    void btBuscaProcesoOFF();  // stop check
    bool funProcesoEnLista(std::string_view name) const;

    // Automatic activation ticked: waiting for a start. Unticked: disarmed.
    void Arm();
    void Disarm();
    // A name box was edited or set: the selected name is forgotten.
    void NameChanged();

    const std::string& busqueda_Proceso() const { return m_busqueda_Proceso; }
    bool txtBTactivado() const { return m_txtBTactivado; }
    bool txtBTdesactivado() const { return m_txtBTdesactivado; }
    const std::vector<std::string>& List2() const { return m_List2; }
    // Ticks run to their end so far.
    unsigned Ticks() const { return m_ticks; }

private:
    WatcherHost& m_host;
    std::vector<std::string> m_List2;
    std::string m_busqueda_Proceso;
    std::string m_txtProcesoEncontrado;
    bool m_txtBTactivado = false;
    bool m_txtBTdesactivado = false;
    bool m_inTick = false;
    unsigned m_ticks = 0;
};

}  // namespace lumeq
