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
// The X display a run boosts, as its record names it: DISPLAY without the screen number
// (":0.0" and ":0" are one display), marked "/wayland" in a Wayland session (Xwayland's
// ":0" is not an X session's ":0"). Empty without a display.
std::string DisplayIdentity(std::string_view display, bool wayland);
// The record's file for a machine and display, in the state folder: a home folder may be
// shared by several machines, and a machine may run several displays. A name every file
// system takes (FAT and exFAT refuse ':', and the portable mode lives on such sticks):
// "captured-ramps@gamebox_0".
std::string RecordFileName(std::string_view host, std::string_view displayIdentity);
// The name earlier versions gave it ("captured-ramps@gamebox:0"), still read at start.
std::string ColonRecordFileName(std::string_view host, std::string_view displayIdentity);

LinuxPaths PathsFor(const std::function<std::optional<std::string>(std::string_view)>& environment,
                    const std::optional<std::string>& pictures, const std::string& programFolder, bool portable);

}  // namespace lumeq
