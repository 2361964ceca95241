#include "qt/x11_events_qt.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <xcb/xcb.h>

#include <QByteArray>

namespace lumeq {

namespace {
constexpr unsigned kF1 = 0xFFBE;  // XK_F1; F2..F4 follow
// Ctrl, with each combination of Lock and NumLock (Mod2), so that the keys work
// whatever the lock lights show.
constexpr std::array<std::uint16_t, 4> kModifierSets = {
    XCB_MOD_MASK_CONTROL, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_LOCK, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_2,
    XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
constexpr std::uint16_t kIgnoredModifiers = XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2;

xcb_window_t RootOf(xcb_connection_t* connection) {
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}
}  // namespace

X11Events::X11Events(xcb_connection_t* connection, _XDisplay* display)
    : m_connection(connection), m_display(display) {}

X11Events::~X11Events() { UnregisterHotKeys(); }

void X11Events::RegisterHotKeys(std::function<void(int id)> onHotKey) {
    m_onHotKey = std::move(onHotKey);
    if (!m_connection || !m_display) return;
    const xcb_window_t root = RootOf(m_connection);
    for (std::size_t id = 0; id < m_keycodes.size(); ++id) {
        m_keycodes[id] = static_cast<unsigned char>(XKeysymToKeycode(m_display, kF1 + id));
        if (m_keycodes[id] == 0) continue;
        // Every grab is checked on its own: another program's grab fails only there.
        bool all = true;
        for (std::uint16_t modifiers : kModifierSets) {
            const xcb_void_cookie_t cookie = xcb_grab_key_checked(m_connection, 1, root, modifiers, m_keycodes[id],
                                                                  XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
            if (xcb_generic_error_t* error = xcb_request_check(m_connection, cookie)) {
                free(error);
                all = false;
            }
        }
        if (!all) {
            // Half a key is no key: what was grabbed goes back.
            for (std::uint16_t modifiers : kModifierSets) xcb_ungrab_key(m_connection, m_keycodes[id], root, modifiers);
        }
        m_registered[id] = all;
    }
    xcb_flush(m_connection);
}

void X11Events::UnregisterHotKeys() {
    if (!m_connection) return;
    const xcb_window_t root = RootOf(m_connection);
    for (std::size_t id = 0; id < m_keycodes.size(); ++id) {
        if (!m_registered[id]) continue;
        for (std::uint16_t modifiers : kModifierSets) xcb_ungrab_key(m_connection, m_keycodes[id], root, modifiers);
        m_registered[id] = false;
    }
    xcb_flush(m_connection);
}

void X11Events::WatchOutputs(std::function<void()> onChange) {
    m_onOutputsChanged = std::move(onChange);
    if (!m_display) return;
    int errorBase = 0;
    if (!XRRQueryExtension(m_display, &m_randrEventBase, &errorBase)) {
        m_randrEventBase = -1;
        return;
    }
    XRRSelectInput(m_display, DefaultRootWindow(m_display),
                   RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask | RROutputChangeNotifyMask);
    XFlush(m_display);
}

bool X11Events::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const int type = event->response_type & 0x7F;
    if (type == XCB_KEY_PRESS) {
        const auto* key = static_cast<const xcb_key_press_event_t*>(message);
        if ((key->state & ~kIgnoredModifiers) != XCB_MOD_MASK_CONTROL) return false;
        for (std::size_t id = 0; id < m_keycodes.size(); ++id) {
            if (m_registered[id] && key->detail == m_keycodes[id]) {
                if (m_onHotKey) m_onHotKey(static_cast<int>(id));
                return true;
            }
        }
        return false;
    }
    if (m_randrEventBase >= 0 && (type == m_randrEventBase + RRScreenChangeNotify || type == m_randrEventBase + RRNotify)) {
        if (m_onOutputsChanged) m_onOutputsChanged();
    }
    return false;
}

}  // namespace lumeq
