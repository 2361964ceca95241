#include "platform/utf16.h"

namespace lumeq {

std::u16string Utf16FromUtf8(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[pos]);
        const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        char32_t value = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        bool good = length != 0 && pos + length <= utf8.size();
        for (std::size_t i = 1; good && i < length; ++i) {
            const auto next = static_cast<unsigned char>(utf8[pos + i]);
            good = (next & 0xC0) == 0x80;
            value = (value << 6) | (next & 0x3F);
        }
        const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        good = good && value >= smallest[length] && !(value >= 0xD800 && value <= 0xDFFF) && value <= 0x10FFFF;
        if (!good) {
            out += u'\uFFFD';
            ++pos;
            continue;
        }
        if (value >= 0x10000) {
            value -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (value >> 10));
            out += static_cast<char16_t>(0xDC00 + (value & 0x3FF));
        } else {
            out += static_cast<char16_t>(value);
        }
        pos += length;
    }
    return out;
}

}  // namespace lumeq
