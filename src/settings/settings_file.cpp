#include "settings/settings_file.h"

namespace lumeq {

namespace {
// The next line of `content` from `pos`; false at the end of the content.
bool NextLine(std::string_view content, std::size_t& pos, std::string_view& line) {
    if (pos >= content.size()) return false;
    const std::size_t end = content.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) {
        line = content.substr(pos);
        pos = content.size();
        return true;
    }
    line = content.substr(pos, end - pos);
    pos = end + 1;
    if (content[end] == '\r' && pos < content.size() && content[pos] == '\n') ++pos;
    return true;
}
}  // namespace

void ParseSettings(std::string_view content, Settings& fields) {
    std::string* targets[] = {&fields.screenText, &fields.txtActivacion, &fields.names[0],
                              &fields.names[1],   &fields.names[2],      &fields.names[3]};
    std::size_t pos = 0;
    std::string_view line;
    if (!NextLine(content, pos, line)) return;  // the header, not looked at
    for (std::string* target : targets) {
        if (!NextLine(content, pos, line)) return;
        target->assign(line);
    }
}

std::string FormatSettings(const Settings& fields) {
    std::string out;
    for (std::string_view line : {std::string_view(kSettingsHeader), std::string_view(fields.screenText),
                                  std::string_view(fields.txtActivacion), std::string_view(fields.names[0]),
                                  std::string_view(fields.names[1]), std::string_view(fields.names[2]),
                                  std::string_view(fields.names[3]), std::string_view(kSettingsEnd)}) {
        out += line;
        out += "\r\n";
    }
    return out;
}

Settings SettingsToWrite(const Settings& current, const std::array<std::string, 4>& namesLastRead) {
    Settings out = current;
    for (std::size_t i = 0; i < out.names.size(); ++i)
        if (out.names[i] == kNameSentinel) out.names[i] = namesLastRead[i];
    return out;
}

}  // namespace lumeq
