#pragma once
// A frame without caption that holds controls laid over the banner. It hands its
// controls' notifications and colour requests to the main window.
#include <windows.h>

namespace lumeq {

HWND CreatePanel(HINSTANCE instance, HWND parent, int id, int left, int top, int width, int height);

}  // namespace lumeq
