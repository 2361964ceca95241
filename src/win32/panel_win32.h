#pragma once
// A frame without caption that holds controls laid over the banner. It hands its
// controls' notifications and colour requests to the main window, which routes them to
// the subsystem that owns the panel.
#include <windows.h>

#include <map>
#include <string_view>

#include "ui/panel_layout.h"
#include "win32/base_window_win32.h"
#include "win32/scaled_layout_win32.h"

namespace lumeq {

class Panel : public BaseWindow<Panel> {
public:
    // Created hidden at `rect` (twips) of `parent`, and laid out with it from then on.
    HWND Create(HINSTANCE instance, HWND parent, int id, ScaledLayout& layout, TwipsRect rect);
    // The panel and its controls from the panels' table, fitted to their captions; the
    // controls by name.
    std::map<std::string_view, HWND> Create(HINSTANCE instance, HWND parent, const PanelLayout& plan,
                                            ScaledLayout& layout);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace lumeq
