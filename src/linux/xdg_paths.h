#pragma once
// Where the Linux edition keeps its files, as Linux users expect: settings and the
// stored level in $XDG_CONFIG_HOME/lumeq, the crash record in $XDG_STATE_HOME/lumeq,
// screenshots in the user's Pictures folder, under lumeq. A lumeq.ini beside the program
// switches to portable mode: everything beside it, as on Windows.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace lumeq {

struct LinuxPaths {
    std::string config;       // lumeq.ini and the stored level
    std::string state;        // the crash record
    std::string screenshots;  // screen_N.jpg
};

// `environment` answers for a variable (nothing when unset or empty); `pictures` is what
// `xdg-user-dir PICTURES` printed (nothing when it could not run); `programFolder` holds
// the binary, and `portable` says whether a lumeq.ini lies beside it.
LinuxPaths PathsFor(const std::function<std::optional<std::string>(std::string_view)>& environment,
                    const std::optional<std::string>& pictures, const std::string& programFolder, bool portable);

}  // namespace lumeq
