#include "qt/x11_events_qt.h"

// Qt's headers first: Xlib's macros (Bool, Status) would break them.
#include <QByteArray>
#include <QSocketNotifier>

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <xcb/xcb.h>

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

X11Events::X11Events(_XDisplay* display) : m_connection(nullptr), m_display(display) {
    if (!m_display) return;
    // The same server as Qt's connection: the display it was opened on.
    m_connection = xcb_connect(XDisplayString(m_display), nullptr);
    if (xcb_connection_has_error(m_connection)) {
        xcb_disconnect(m_connection);
        m_connection = nullptr;
        return;
    }
    m_keysReady = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(m_connection), QSocketNotifier::Read);
    QObject::connect(m_keysReady.get(), &QSocketNotifier::activated, [this] { ReadKeys(); });
}

X11Events::~X11Events() {
    UnregisterHotKeys();
    m_keysReady.reset();
    if (m_connection) xcb_disconnect(m_connection);
}

void X11Events::ReadKeys() {
    // Everything the connection holds, also what an earlier reply's read brought along.
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
        if ((event->response_type & 0x7F) == XCB_KEY_PRESS) {
            const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
            if ((key->state & ~kIgnoredModifiers) == XCB_MOD_MASK_CONTROL) {
                for (std::size_t id = 0; id < m_keycodes.size(); ++id)
                    if (m_registered[id] && key->detail == m_keycodes[id] && m_onHotKey) m_onHotKey(static_cast<int>(id));
            }
        }
        free(event);
    }
    if (xcb_connection_has_error(m_connection)) m_keysReady->setEnabled(false);
}

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
    ReadKeys();
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
    if (m_randrEventBase >= 0 && (type == m_randrEventBase + RRScreenChangeNotify || type == m_randrEventBase + RRNotify)) {
        if (m_onOutputsChanged) m_onOutputsChanged();
    }
    return false;
}

}  // namespace lumeq
