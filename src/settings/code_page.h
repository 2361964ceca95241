#pragma once
// The Windows edition writes lumeq.ini in the ANSI code page (1252 for Spanish Windows);
// the Linux edition keeps UTF-8. A portable folder may hold a file of either: a file that
// is not UTF-8 is read as code page 1252 and written back the way it was read, so that
// "Cañon.exe" stays "Cañon.exe" in both editions.
#include <string>
#include <string_view>

namespace lumeq {

bool IsUtf8(std::string_view bytes);
// Every byte as its code page 1252 character (the five bytes 1252 leaves undefined as the
// C1 controls of the same number, as Windows maps them).
std::string Utf8FromCp1252(std::string_view bytes);
// UTF-8 text in code page 1252; a character 1252 has not (and a malformed byte) becomes '?'.
std::string Cp1252FromUtf8(std::string_view utf8);

}  // namespace lumeq
