#include "gamma/display_backends.h"

namespace lumeq {

namespace {
const char* SessionName(SessionKind session) {
    switch (session) {
        case SessionKind::X11: return "X11";
        case SessionKind::Wayland: return "Wayland";
        case SessionKind::Windows: return "Windows";
    }
    return "";
}
}  // namespace

ChosenBackend ChooseBackend(const std::vector<DisplayBackend>& table, SessionKind session) {
    ChosenBackend chosen;
    std::string tried;
    for (const DisplayBackend& row : table) {
        if (row.session != session) continue;
        DisplayRamp* displays = row.open ? row.open() : nullptr;
        if (!displays) {
            tried += " " + row.name + ";";
            continue;
        }
        const std::size_t count = displays->Names().size();
        chosen.backend = &row;
        chosen.displays = displays;
        chosen.log = std::string(SessionName(session)) + " session: gamma through " + row.name + ", " +
                     std::to_string(count) + (count == 1 ? " display" : " displays") +
                     (row.readsBack ? "" : ", no read-back") +
                     (row.restoresOnExit ? ", the server restores on exit" : ", recorded against a crash") + ".";
        if (!tried.empty()) chosen.log += " Passed over:" + tried;
        return chosen;
    }
    chosen.log = std::string(SessionName(session)) + " session: no gamma." + (tried.empty() ? "" : " Tried:" + tried);
    return chosen;
}

}  // namespace lumeq
