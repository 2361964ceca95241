#pragma once
// The end-to-end tests' eyes on the program's windows: what a user would see, or a menu
// command chosen; one request, its words as a command line has them:
//   text ID              text of the main window's control ID
//   command ID           the menu command ID, as if chosen from the menu
//   window CLASS TITLE   "hwnd xid visible left top width height style exstyle clientx clienty"
//   boxtext TITLE        texts of the visible message box with that title, one per line
//   state ID             "visible enabled checked" of control ID
//   click ID             a click on button ID (nothing when it is disabled)
//   type ID TEXT         TEXT typed into edit box ID (fails when it is disabled)
//   slider               position, minimum, maximum, enabled of the level slider
//   slider-key VK        a key press on the level slider itself
//   post MESSAGE [WP]    posts MESSAGE (with wParam WP) to the main window
//   rect ID              "left top width height" of control ID on the screen
//   fits ID              room its caption needs with the program's font, and room it has
//   count CLASS TITLE    how many top-level windows of that class and title exist
//   boxrect TITLE        "left top width height" of the message box with that title
//   dpi                  the DPI a DPI-aware program is told
//   monitors             "count left top width height" of the virtual screen, then each
//                              monitor's "left top width height" and its work area's
//   resources [CLASS T]  GDI and USER objects, working set, private bytes of the program
//   tray CODE            the icon's callback with mouse message CODE (0x205 right button up)
//   foreground           class and title of the foreground window
//   clipboard            "offered width height" of the clipboard's bitmap, pasted as a program would
//   child CLASS TITLE ID text of control ID of another top-level window
//   hotkey-hold VK SECS  holds Ctrl+VK for SECS seconds; exit code 3 when it was taken
//   hotkey-try VK        exit code 0 when Ctrl+VK can be registered
//   gammatime N          microseconds of one SetDeviceGammaRamp call, over N calls
#include <string>
#include <vector>

namespace lumeq {

// Answers one request; 0 when it was done, 1 when what it names is not there, 2 for no verb.
int Probe(const std::vector<std::string>& words, std::string& out);

}  // namespace lumeq
