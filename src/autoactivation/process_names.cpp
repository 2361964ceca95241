#include "autoactivation/process_names.h"

#include <algorithm>

namespace lumeq {

std::vector<std::string> ProcessNames(std::string_view cmdline, std::string_view comm) {
    std::vector<std::string> names;
    const std::string_view first = cmdline.substr(0, cmdline.find('\0'));
    const std::size_t slash = first.find_last_of("/\\");
    const std::string_view base = slash == std::string_view::npos ? first : first.substr(slash + 1);
    if (!base.empty()) names.emplace_back(base);
    std::string_view kernelName = comm.substr(0, comm.find('\n'));
    if (!kernelName.empty() && std::find(names.begin(), names.end(), kernelName) == names.end())
        names.emplace_back(kernelName);
    for (std::size_t i = 0, count = names.size(); i < count; ++i) {
        for (const std::string_view suffix : {"_linux64", "_linux"}) {
            const std::string& name = names[i];
            if (name.size() <= suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
                continue;
            std::string windows = name.substr(0, name.size() - suffix.size()) + ".exe";
            if (std::find(names.begin(), names.end(), windows) == names.end()) names.push_back(std::move(windows));
            break;
        }
    }
    return names;
}

std::optional<ProcessStat> ParseProcessStat(std::string_view stat) {
    // After the name in parentheses (which may hold blanks and parentheses itself): the
    // state is field 3 and the start time field 22.
    std::size_t at = stat.rfind(')');
    if (at == std::string_view::npos || at + 2 >= stat.size() || stat[at + 1] != ' ') return std::nullopt;
    ProcessStat parsed;
    parsed.state = stat[at + 2];
    for (int field = 2; field < 22; ++field) {
        at = stat.find(' ', at + 1);
        if (at == std::string_view::npos) return std::nullopt;
    }
    bool digits = false;
    for (std::size_t i = at + 1; i < stat.size() && stat[i] >= '0' && stat[i] <= '9'; ++i) {
        if (parsed.startTicks > (UINT64_MAX - 9) / 10) return std::nullopt;
        parsed.startTicks = parsed.startTicks * 10 + static_cast<std::uint64_t>(stat[i] - '0');
        digits = true;
    }
    if (!digits) return std::nullopt;
    return parsed;
}

}  // namespace lumeq
