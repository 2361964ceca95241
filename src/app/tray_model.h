#pragma once
// What a mouse event on the notification-area icon does, given WindowHidden (whether the
// window was brought back from the icon).
#include <array>
#include <optional>

namespace lumeq {

// What happened on the icon, as every platform's tray can tell it.
enum class TrayEvent { MouseMove, Click, DoubleClick, ContextMenu, Other };

struct TrayReaction {
    bool showWindow = false;   // show the main window (first)
    bool hideWindow = false;   // hide it (last)
    bool startShowAgain = false;  // the delayed re-show, 300 ms later
    bool openPopup = false;
    std::optional<bool> shownFromIcon;  // the new WindowHidden, or nothing to keep it
};

TrayReaction ReactToTrayEvent(TrayEvent event, bool shownFromIcon);

// The tip field: "lumeq gamma", one NUL, then blanks up to 64 characters.
std::array<char16_t, 64> TrayTip();

}  // namespace lumeq
