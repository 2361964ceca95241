#include "settings/xdg_paths.h"

namespace lumeq {

namespace {
// Only absolute paths count: the XDG base directory rules have relative ones ignored.
std::optional<std::string> Absolute(std::optional<std::string> path) {
    if (!path || path->empty() || path->front() != '/') return std::nullopt;
    while (path->size() > 1 && path->back() == '/') path->pop_back();
    return path;
}
}  // namespace

std::string DisplayIdentity(std::string_view display, bool wayland) {
    if (display.empty()) return {};
    std::string identity(display);
    // ":0.1" is screen 1 of display :0; a host name may hold dots, the screen comes last.
    const std::size_t colon = identity.rfind(':');
    if (colon != std::string::npos) {
        const std::size_t dot = identity.find('.', colon);
        if (dot != std::string::npos) identity.erase(dot);
    }
    if (wayland) identity += "/wayland";
    return identity;
}

namespace {
std::string RecordName(std::string_view host, std::string_view displayIdentity, bool keepColon) {
    std::string name = "captured-ramps@";
    for (const char c : std::string(host) + std::string(displayIdentity)) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                           c == '-' || c == '_' || (keepColon && c == ':');
        name += plain ? c : '_';
    }
    return name.substr(0, 200);
}
}  // namespace

std::string RecordFileName(std::string_view host, std::string_view displayIdentity) {
    return RecordName(host, displayIdentity, false);
}

std::string ColonRecordFileName(std::string_view host, std::string_view displayIdentity) {
    return RecordName(host, displayIdentity, true);
}

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
