#pragma once
// The DPI a window is drawn at: its monitor's where the system scales per monitor
// (Windows 10 1607 and later), the system's otherwise.
#include <windows.h>

namespace lumeq {

int SystemDpi();
int WindowDpi(HWND window);

}  // namespace lumeq
