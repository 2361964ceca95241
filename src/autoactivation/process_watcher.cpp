#include "autoactivation/process_watcher.h"

namespace lumeq {

namespace {
constexpr char kSeparator = '\x01';

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

std::string ScanText(const std::vector<ProcessEntry>& processes) {
    std::string text;
    for (const ProcessEntry& process : processes) {
        // A name is data: any user can start a process whose name holds the separator or
        // another control byte (`exec -a`), which would shift every later entry or forge
        // one. Such bytes stand as '?' (no watched name holds one).
        for (const char c : process.name) {
            const auto byte = static_cast<unsigned char>(c);
            text += byte < 0x20 || byte == 0x7F ? '?' : c;
        }
        text += kSeparator;
        text += std::to_string(process.id);
        text += kSeparator;
    }
    return text;
}

std::string OtherRampProgram(std::string_view scanText) {
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
    for (const std::string& item : ListItems(scanText)) {
        const std::string name = item.substr(0, item.rfind(":  "));
        for (const Known& known : kKnown)
            if (name == known.process) return known.name;
    }
    return "Otro programa (una luz nocturna)";
}

std::vector<std::string> ListItems(std::string_view scanText) {
    std::vector<std::string> items;
    std::size_t pos = 0;
    while (pos < scanText.size()) {
        const std::size_t nameEnd = scanText.find(kSeparator, pos);
        if (nameEnd == std::string_view::npos) break;
        const std::size_t idEnd = scanText.find(kSeparator, nameEnd + 1);
        if (idEnd == std::string_view::npos) break;
        std::string item(scanText.substr(pos, nameEnd - pos));
        item += ":  ";
        item += scanText.substr(nameEnd + 1, idEnd - nameEnd - 1);
        items.push_back(std::move(item));
        pos = idEnd + 1;
    }
    return items;
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

bool ProcessWatcher::IsListed(std::string_view name) const {
    if (name.empty()) return false;
    for (const std::string& item : m_listItems)
        if (StartsWithIgnoringCase(item, name)) return true;
    return false;
}

void ProcessWatcher::OnWatcherTick() {
    // The scan lets messages through, so this timer can fire again inside it: that
    // firing is skipped.
    if (m_inTick) return;
    m_inTick = true;
    if (m_waitingForStart) SelectWatchedName();
    m_listItems.clear();
    const std::string scan = m_host.ListProcesses();
    m_listItems = ListItems(scan);
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
    for (int box = 0; box < 4; ++box) {
        m_foundItem = m_host.NameBox(box);
        if (IsListed(m_foundItem)) m_watchedName = m_foundItem;
    }
}

void ProcessWatcher::LookForStart() {
    if (!IsListed(m_watchedName)) return;
    // Straight on: switching off first would show the player's own ramp for a moment at
    // every game start (and again at the re-arm).
    m_host.Activate();
    m_waitingForStart = false;
    m_waitingForEnd = true;
    LookForEnd();
}

void ProcessWatcher::LookForEnd() {
    if (IsListed(m_watchedName)) return;
    m_waitingForStart = true;
    m_host.Deactivate();
}

void ProcessWatcher::Arm() {
    m_waitingForStart = true;
    m_waitingForEnd = false;
}

void ProcessWatcher::Disarm() {
    m_waitingForStart = false;
    m_waitingForEnd = false;
}

void ProcessWatcher::NameChanged() {
    m_watchedName.clear();
    m_foundItem.clear();
}

}  // namespace lumeq
