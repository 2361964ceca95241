#pragma once
// UTF-8 to UTF-16, the conversion every text takes on its way to a window. Portable, so
// that the fuzz targets run it on whatever a settings file holds.
#include <string>
#include <string_view>

namespace lumeq {

// Malformed bytes become U+FFFD; nothing else changes.
std::u16string Utf16FromUtf8(std::string_view utf8);

}  // namespace lumeq
