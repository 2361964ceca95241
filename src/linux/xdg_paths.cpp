#include "linux/xdg_paths.h"

namespace lumeq {

namespace {
// Only absolute paths count: the XDG base directory rules have relative ones ignored.
std::optional<std::string> Absolute(std::optional<std::string> path) {
    if (!path || path->empty() || path->front() != '/') return std::nullopt;
    while (path->size() > 1 && path->back() == '/') path->pop_back();
    return path;
}
}  // namespace

LinuxPaths PathsFor(const std::function<std::optional<std::string>(std::string_view)>& environment,
                    const std::optional<std::string>& pictures, const std::string& programFolder, bool portable) {
    if (portable) return {programFolder, programFolder, programFolder + "/Screenshots"};
    const std::string home = Absolute(environment("HOME")).value_or("/tmp");
    LinuxPaths paths;
    paths.config = Absolute(environment("XDG_CONFIG_HOME")).value_or(home + "/.config") + "/lumeq";
    paths.state = Absolute(environment("XDG_STATE_HOME")).value_or(home + "/.local/state") + "/lumeq";
    std::optional<std::string> pictureFolder = pictures;
    if (pictureFolder) {
        while (!pictureFolder->empty() && (pictureFolder->back() == '\n' || pictureFolder->back() == '\r'))
            pictureFolder->pop_back();
    }
    pictureFolder = Absolute(pictureFolder);
    // xdg-user-dir answers with the home folder when Pictures is not set: not a place for them.
    if (!pictureFolder || *pictureFolder == home) pictureFolder = home + "/Pictures";
    paths.screenshots = *pictureFolder + "/lumeq";
    return paths;
}

}  // namespace lumeq
