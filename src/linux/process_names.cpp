#include "linux/process_names.h"

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
    return names;
}

}  // namespace lumeq
