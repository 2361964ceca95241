#pragma once
// Test builds only: the end-to-end tests' eyes inside the program, as the Windows edition's
// test build has its own. A socket on 127.0.0.1 (its port written to the file
// $LUMEQ_TEST_PROBE names) takes one request a connection: its words separated by tabs,
// ended by a line feed. The answer is an exit code on a line (1 when what it names is not
// there), then one or more lines:
//   field NAME          a hidden field's text (estadoTxt, txtActivacion, screenText ...)
//   state NAME          "visible enabled checked" of a widget by its name
//   text NAME           a label's, box's or button's text
//   click NAME          a click on a button (nothing when it is disabled)
//   type NAME TEXT      TEXT typed into a box (fails when it is disabled)
//   command ID          a menu entry chosen by its command id (nothing when greyed)
//   menus               the menu bar's and the popup's entries: "id enabled caption"
//   window              "visible minimized left top width height" of the main window
//   rect NAME           "left top width height" of a widget on the screen
// (places and sizes in the screen's pixels)
//   strip               "visible left top width height text" of the strip
//   tray                "available shown"
//   hotkeys             "1 1 1 1": which of Ctrl+F1..F4 are registered
//   close               the close box, as the window manager asks
//   popup               "1" while the icon's popup menu is open
//   xid                 the main window's X window
//   ticks               how many watcher ticks have run
#include <QTcpServer>

#include <memory>

#include "gamma/engine_ports.h"

namespace lumeq {

class MainWindow;

// With LUMEQ_TEST_REFUSE_OWN_RAMP set, displays that refuse to be given back the tables they
// had at the start, as a driver may refuse a ramp (Wine does for some); nothing otherwise.
std::unique_ptr<DisplayRamp> RefusingOwnRampIfAsked(DisplayRamp& displays);

class TestProbe {
public:
    explicit TestProbe(MainWindow& form);

private:
    QString Answer(const QString& request);

    MainWindow& m_form;
    QTcpServer m_server;
};

}  // namespace lumeq
