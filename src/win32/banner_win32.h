#pragma once
#include <windows.h>

namespace lumeq {

// The banner that fills the main window's client area: dark, with a bright burst and
// the product's name. Drawn from shapes, so it is sharp at every DPI.
void DrawBanner(HDC dc, const RECT& area, int dpi);

}  // namespace lumeq
