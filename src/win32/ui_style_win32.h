#pragma once
// The look and the regional settings shared by every window of the program.
#include <string>

#include "win32/unique_handle_win32.h"

namespace lumeq {

// MS Sans Serif 8.25 pt for the display's DPI (Windows maps it to its sans serif).
UniqueFont MakeUiFont(int dpi, bool bold = false, bool italic = false);

// The user's decimal separator, "." when it cannot be read.
std::string UserDecimalSeparator();

}  // namespace lumeq
