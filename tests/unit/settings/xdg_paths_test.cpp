// Where the Linux edition keeps its files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "settings/xdg_paths.h"

namespace lumeq {
namespace {

using namespace std::string_literals;

TEST(XdgPaths, WhereLinuxUsersExpectThemOrBesideTheProgram) {
    std::map<std::string, std::string> env = {{"HOME", "/home/ana"}};
    auto lookup = [&](std::string_view name) -> std::optional<std::string> {
        const auto found = env.find(std::string(name));
        if (found == env.end() || found->second.empty()) return std::nullopt;
        return found->second;
    };
    LinuxPaths paths = PathsFor(lookup, "/home/ana/Imágenes\n", "/opt/lumeq", false);
    EXPECT_EQ(paths.config, "/home/ana/.config/lumeq");
    EXPECT_EQ(paths.state, "/home/ana/.local/state/lumeq");
    EXPECT_EQ(paths.screenshots, "/home/ana/Imágenes/lumeq");

    env["XDG_CONFIG_HOME"] = "/srv/conf/";
    env["XDG_STATE_HOME"] = "relative/state";  // not absolute: ignored
    paths = PathsFor(lookup, "/home/ana", "/opt/lumeq", false);  // Pictures not set: the home folder
    EXPECT_EQ(paths.config, "/srv/conf/lumeq");
    EXPECT_EQ(paths.state, "/home/ana/.local/state/lumeq");
    EXPECT_EQ(paths.screenshots, "/home/ana/Pictures/lumeq");
    EXPECT_EQ(PathsFor(lookup, std::nullopt, "/opt/lumeq", false).screenshots, "/home/ana/Pictures/lumeq");

    paths = PathsFor(lookup, std::nullopt, "/media/usb/lumeq", true);
    EXPECT_EQ(paths.config, "/media/usb/lumeq");
    EXPECT_EQ(paths.screenshots, "/media/usb/lumeq/Screenshots");
}

// The table of display backends: only the session's own rows are opened, in order, and the
// record is kept only where the server keeps our tables after we are gone.

}  // namespace
}  // namespace lumeq
