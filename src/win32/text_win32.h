#pragma once
// The program keeps its texts in UTF-8; Windows gets them as UTF-16.
#include <string>
#include <string_view>

namespace lumeq {

std::wstring Widen(std::string_view utf8);
// The core's line feeds as Windows' controls want them: CR LF.
std::string WindowsLineBreaks(std::string_view text);
std::string Narrow(std::wstring_view utf16);

}  // namespace lumeq
