#pragma once
// Test builds only: the end-to-end tests' eyes inside the program, as the Windows
// edition's probe is inside Wine. A local socket at $LUMEQ_TEST_PROBE takes one request
// per connection and answers with one or more lines:
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
#include <QLocalServer>

namespace lumeq {

class FormMain;

class TestProbe {
public:
    explicit TestProbe(FormMain& form);

private:
    QString Answer(const QString& request);

    FormMain& m_form;
    QLocalServer m_server;
};

}  // namespace lumeq
