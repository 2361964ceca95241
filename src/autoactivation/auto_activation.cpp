#include "autoactivation/auto_activation.h"

namespace lumeq {

namespace {
constexpr unsigned kTickMs = 1000;
constexpr unsigned kRearmMs = 500;

// Next code point of UTF-8 text; malformed bytes come back one by one.
char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
    const auto byte = static_cast<unsigned char>(text[pos++]);
    int extra = byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : 0;
    char32_t value = extra == 3 ? byte & 0x07 : extra == 2 ? byte & 0x0F : extra == 1 ? byte & 0x1F : byte;
    for (; extra > 0 && pos < text.size(); --extra) {
        const auto next = static_cast<unsigned char>(text[pos]);
        if ((next & 0xC0) != 0x80) break;
        value = (value << 6) | (next & 0x3F);
        ++pos;
    }
    return value;
}

char32_t Fold(char32_t c) {
    if (c >= U'A' && c <= U'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    return c;
}
}  // namespace

std::string OtherRampProgram(const std::vector<ProcessEntry>& processes) {
    struct Known {
        const char* process;
        const char* name;
    };
    // By how a player would know them; the first found counts.
    constexpr Known kKnown[] = {
        {"redshift", "Redshift"},     {"gammastep", "Gammastep"},        {"gsd-color", "La luz nocturna de GNOME"},
        {"kwin_x11", "Night Color de KDE"}, {"kwin_wayland", "Night Color de KDE"}, {"sct", "sct"},
        {"xflux", "f.lux"},           {"wlsunset", "wlsunset"},
    };
    for (const ProcessEntry& process : processes)
        for (const Known& known : kKnown)
            if (process.name == known.process) return known.name;
    return "Otro programa (una luz nocturna)";
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    std::size_t t = 0;
    std::size_t p = 0;
    while (p < prefix.size()) {
        if (t >= text.size()) return false;
        if (Fold(NextCodePoint(text, t)) != Fold(NextCodePoint(prefix, p))) return false;
    }
    return true;
}

bool IsListed(const std::vector<ProcessEntry>& processes, std::string_view name) {
    if (name.empty()) return false;
    for (const ProcessEntry& process : processes) {
        // The line a list box would hold: the name, two blanks and the id after a colon.
        if (name.size() <= process.name.size() ? StartsWithIgnoringCase(process.name, name)
                                               : StartsWithIgnoringCase(process.name + ":  " + std::to_string(process.id), name))
            return true;
    }
    return false;
}

void ProcessWatcher::OnWatcherTick() {
    // The scan lets messages through, so this timer can fire again inside it: that
    // firing is skipped.
    if (m_inTick) return;
    m_inTick = true;
    if (m_waitingForStart) SelectWatchedName();
    m_seen.clear();
    m_seen = m_processes.ListProcesses();
    if (m_waitingForStart) LookForStart();
    if (m_waitingForEnd) LookForEnd();
    m_inTick = false;
    ++m_ticks;
}

void ProcessWatcher::OnWatcherRearm() {
    m_waitingForStart = true;
    m_waitingForEnd = false;
    LookForStart();
}

void ProcessWatcher::SelectWatchedName() {
    for (const std::string& name : m_names)
        if (IsListed(m_seen, name)) m_watchedName = name;
}

void ProcessWatcher::LookForStart() {
    if (!IsListed(m_seen, m_watchedName)) return;
    // Straight on: switching off first would show the player's own ramp for a moment at
    // every game start (and again at the re-arm).
    m_boost.TurnOn();
    m_waitingForStart = false;
    m_waitingForEnd = true;
    LookForEnd();
}

void ProcessWatcher::LookForEnd() {
    if (IsListed(m_seen, m_watchedName)) return;
    m_waitingForStart = true;
    m_boost.TurnOff();
}

void ProcessWatcher::Arm() {
    m_waitingForStart = true;
    m_waitingForEnd = false;
}

void ProcessWatcher::Disarm() {
    m_waitingForStart = false;
    m_waitingForEnd = false;
}


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
