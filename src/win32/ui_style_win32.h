#pragma once
// The look and the regional settings shared by every window of the program.
#include <string>

#include "win32/unique_handle_win32.h"

namespace lumeq {

// The dialogs' sans serif at 8.25 pt for the display's DPI: Microsoft Sans Serif, the outline
// face of MS Sans Serif, which scales with the DPI where the bitmap face keeps a few fixed sizes
// (1.5 times the text on a 2 times larger window at 192 dpi).
UniqueFont MakeUiFont(int dpi, bool bold = false, bool italic = false);

// The user's decimal separator, "." when it cannot be read.
std::string UserDecimalSeparator();

}  // namespace lumeq
