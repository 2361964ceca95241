#include "settings/settings_file.h"

#include <algorithm>

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

// Length of the well-formed UTF-8 sequence at `pos`, or 0 when the byte there starts none.
std::size_t SequenceLength(std::string_view text, std::size_t pos, char32_t& value) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || pos + length > text.size()) return 0;
    value = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) return 0;
        value = (value << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are malformed too.
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < smallest[length] || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) return 0;
    return length;
}

bool Shows(char32_t c) {
    const bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F);
    return !control && c != 0x02DC;
}

// Keeps at most `limit` characters that a control can show.
std::string Clean(std::string_view text, std::size_t limit) {
    std::string out;
    std::size_t kept = 0;
    for (std::size_t pos = 0; pos < text.size() && kept < limit;) {
        char32_t c = 0;
        const std::size_t length = SequenceLength(text, pos, c);
        if (length == 0) {
            ++pos;
            continue;
        }
        if (Shows(c)) {
            out.append(text.substr(pos, length));
            ++kept;
        }
        pos += length;
    }
    return out;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

void ParseSettings(std::string_view content, Settings& fields) {
    std::string* targets[] = {&fields.screenshotCounter, &fields.autoActivationFlag, &fields.names[0],
                              &fields.names[1],   &fields.names[2],      &fields.names[3]};
    std::size_t pos = 0;
    std::string_view line;
    if (!NextLine(content, pos, line)) return;  // the header, not looked at
    for (std::string* target : targets) {
        if (!NextLine(content, pos, line)) return;
        target->assign(line);
    }
}

void SanitizeSettings(Settings& fields) {
    fields.screenshotCounter = CounterDigits(fields.screenshotCounter);
    fields.autoActivationFlag = Clean(fields.autoActivationFlag, kMaxFlagLength);
    for (std::string& name : fields.names) name = Clean(name, kMaxNameLength);
}

std::string FormatSettings(const Settings& fields) {
    std::string out;
    for (std::string_view line : {std::string_view(kSettingsHeader), std::string_view(fields.screenshotCounter),
                                  std::string_view(fields.autoActivationFlag), std::string_view(fields.names[0]),
                                  std::string_view(fields.names[1]), std::string_view(fields.names[2]),
                                  std::string_view(fields.names[3]), std::string_view(kSettingsEnd)}) {
        out += line;
        out += "\r\n";
    }
    return out;
}

std::string CounterDigits(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    while (pos + 1 < text.size() && text[pos] == '0' && IsDigit(text[pos + 1])) ++pos;
    std::string digits;
    for (; pos < text.size() && IsDigit(text[pos]) && digits.size() < kMaxCounterDigits; ++pos) digits += text[pos];
    return digits.empty() ? "0" : digits;
}

std::string NextCounter(std::string_view digits) {
    std::string next(digits.empty() ? "0" : digits);
    for (std::size_t i = next.size(); i-- > 0;) {
        if (next[i] != '9') {
            ++next[i];
            return next;
        }
        next[i] = '0';
    }
    return "1" + next;
}

std::string LaterCounter(std::string_view a, std::string_view b) {
    const bool aLater = a.size() != b.size() ? a.size() > b.size() : a > b;
    return std::string(aLater ? a : b);
}

void SettingsMemory::AfterRead(ReadResult result, std::string_view content, Settings& fields) {
    if (result != ReadResult::Read) {
        m_unreadable = result == ReadResult::Failed;
        for (std::size_t i = 0; i < fields.names.size(); ++i)
            if (fields.names[i] == kNameSentinel) fields.names[i] = m_namesLastRead[i];
        return;
    }
    Settings read = fields;
    ParseSettings(content, read);
    SanitizeSettings(read);
    read.screenshotCounter = LaterCounter(read.screenshotCounter, m_counterFloor);
    if (!m_flagKnown) {
        m_confirmedFlag = read.autoActivationFlag;
        m_flagKnown = true;
    }
    m_unreadable = false;
    m_namesLastRead = read.names;
    fields = read;
}

void SettingsMemory::Confirm(bool automaticActivation) {
    m_confirmedFlag = FlagText(automaticActivation);
    m_flagKnown = true;
}

Settings SettingsMemory::ToWrite(const Settings& fields) const {
    Settings out = fields;
    for (std::size_t i = 0; i < out.names.size(); ++i)
        if (out.names[i] == kNameSentinel) out.names[i] = m_namesLastRead[i];
    out.autoActivationFlag = m_flagKnown ? m_confirmedFlag : fields.autoActivationFlag;
    out.screenshotCounter = LaterCounter(CounterDigits(fields.screenshotCounter), m_counterFloor);
    return out;
}

}  // namespace lumeq
