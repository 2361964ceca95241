#include "linux/qt/x11_events_qt.h"

// Qt's headers first: Xlib's macros (Bool, Status) would break them.
#include <QByteArray>
#include <QSocketNotifier>
#include <QTimer>

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <X11/keysym.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xinput.h>

#include <cstdlib>

namespace lumeq {

namespace {
// How long a raw press waits for the grab's own event of the same press: the server sends
// both at once, so a raw press still alone after this was taken by another client's grab.
constexpr int kRawWaitMs = 30;

xcb_window_t RootOf(xcb_connection_t* connection) {
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

std::uint8_t KeycodeOf(xcb_key_symbols_t* symbols, xcb_keysym_t keysym) {
    xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, keysym);
    const std::uint8_t code = codes ? codes[0] : 0;
    std::free(codes);
    return code;
}

std::vector<std::uint8_t> KeycodesOf(xcb_key_symbols_t* symbols, std::initializer_list<xcb_keysym_t> keysyms) {
    std::vector<std::uint8_t> codes;
    for (const xcb_keysym_t keysym : keysyms) {
        xcb_keycode_t* found = xcb_key_symbols_get_keycode(symbols, keysym);
        for (xcb_keycode_t* code = found; code && *code != XCB_NO_SYMBOL; ++code) codes.push_back(*code);
        std::free(found);
    }
    return codes;
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
    m_symbols = xcb_key_symbols_alloc(m_connection);
    m_keysReady = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(m_connection), QSocketNotifier::Read);
    QObject::connect(m_keysReady.get(), &QSocketNotifier::activated, [this] { ReadKeys(); });
    m_rawWait = std::make_unique<QTimer>();
    m_rawWait->setSingleShot(true);
    m_rawWait->setInterval(kRawWaitMs);
    QObject::connect(m_rawWait.get(), &QTimer::timeout, [this] { Act(m_presses.WaitOver()); });
}

X11Events::~X11Events() {
    UnregisterHotKeys();
    m_keysReady.reset();
    if (m_symbols) xcb_key_symbols_free(m_symbols);
    if (m_connection) xcb_disconnect(m_connection);
}

void X11Events::Act(std::optional<int> id) {
    if (id && m_registered[static_cast<std::size_t>(*id)] && m_onHotKey) m_onHotKey(*id);
}

void X11Events::ReadKeys() {
    // Everything the connection holds, also what an earlier reply's read brought along.
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
        const int type = event->response_type & 0x7F;
        if (type == XCB_KEY_PRESS) {
            const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
            // Judged by the modifier keys alone: a mouse button held (a player firing) or
            // the keyboard group changes nothing.
            if (IsControlOnly(key->state, m_locks)) Act(m_presses.Grabbed(key->detail, key->time));
        } else if (type == XCB_MAPPING_NOTIFY) {
            // setxkbmap, or another keyboard: the keys may have other codes now.
            xcb_refresh_keyboard_mapping(m_symbols, reinterpret_cast<xcb_mapping_notify_event_t*>(event));
            if (m_onHotKey) {
                UnregisterHotKeys();
                GrabKeys();
            }
        } else if (type == XCB_GE_GENERIC && m_inputOpcode >= 0) {
            const auto* generic = reinterpret_cast<const xcb_ge_generic_event_t*>(event);
            if (generic->extension == m_inputOpcode) {
                const auto* raw = reinterpret_cast<const xcb_input_raw_key_press_event_t*>(event);
                const auto keycode = static_cast<std::uint8_t>(raw->detail);
                if (generic->event_type == XCB_INPUT_RAW_KEY_PRESS) {
                    if (m_presses.RawPress(keycode, raw->time)) m_rawWait->start();
                } else if (generic->event_type == XCB_INPUT_RAW_KEY_RELEASE) {
                    m_presses.RawRelease(keycode);
                }
            }
        }
        std::free(event);
    }
    if (xcb_connection_has_error(m_connection)) m_keysReady->setEnabled(false);
}

void X11Events::GrabKeys() {
    const xcb_window_t root = RootOf(m_connection);
    for (std::size_t id = 0; id < m_keycodes.size(); ++id)
        m_keycodes[id] = KeycodeOf(m_symbols, static_cast<xcb_keysym_t>(XK_F1 + id));
    // Lock, and the bits NumLock and ScrollLock are mapped to, whatever the keyboard's map.
    m_locks = kLockMask;
    if (xcb_get_modifier_mapping_reply_t* map =
            xcb_get_modifier_mapping_reply(m_connection, xcb_get_modifier_mapping(m_connection), nullptr)) {
        const std::uint8_t* codes = xcb_get_modifier_mapping_keycodes(map);
        const std::vector<std::uint8_t> table(codes, codes + xcb_get_modifier_mapping_keycodes_length(map));
        const int perModifier = map->keycodes_per_modifier;
        m_locks = static_cast<std::uint16_t>(
            m_locks | ModifierBitOf(table, perModifier, KeycodesOf(m_symbols, {XK_Num_Lock})) |
            ModifierBitOf(table, perModifier, KeycodesOf(m_symbols, {XK_Scroll_Lock})));
        std::free(map);
    }
    m_locks = static_cast<std::uint16_t>(m_locks & ~kControlMask);
    m_grabModifiers = GrabModifiers(m_locks);
    m_presses.SetKeys(m_keycodes, KeycodesOf(m_symbols, {XK_Control_L, XK_Control_R}),
                      KeycodesOf(m_symbols, {XK_Shift_L, XK_Shift_R, XK_Alt_L, XK_Alt_R, XK_Meta_L, XK_Meta_R,
                                             XK_Super_L, XK_Super_R, XK_Hyper_L, XK_Hyper_R}));
    for (std::size_t id = 0; id < m_keycodes.size(); ++id) {
        if (m_keycodes[id] == 0) continue;
        // Every grab is checked on its own: another program's grab fails only there.
        bool all = true;
        for (std::uint16_t modifiers : m_grabModifiers) {
            const xcb_void_cookie_t cookie = xcb_grab_key_checked(m_connection, 1, root, modifiers, m_keycodes[id],
                                                                  XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
            if (xcb_generic_error_t* error = xcb_request_check(m_connection, cookie)) {
                std::free(error);
                all = false;
            }
        }
        if (!all) {
            // Half a key is no key: what was grabbed goes back.
            for (std::uint16_t modifiers : m_grabModifiers)
                xcb_ungrab_key(m_connection, m_keycodes[id], root, modifiers);
        }
        m_registered[id] = all;
    }
    xcb_flush(m_connection);
}

void X11Events::ListenToRawKeys() {
    // XInput 2.1's raw keys reach every client that asks, also while another client holds
    // an active grab of the keyboard (a full-screen game), when no passive grab fires.
    const xcb_query_extension_reply_t* input = xcb_get_extension_data(m_connection, &xcb_input_id);
    if (!input || !input->present) return;
    xcb_input_xi_query_version_reply_t* version =
        xcb_input_xi_query_version_reply(m_connection, xcb_input_xi_query_version(m_connection, 2, 1), nullptr);
    const bool raw = version && (version->major_version > 2 || (version->major_version == 2 && version->minor_version >= 1));
    std::free(version);
    if (!raw) return;
    struct {
        xcb_input_event_mask_t head;
        std::uint32_t mask;
    } selection = {{XCB_INPUT_DEVICE_ALL_MASTER, 1},
                   XCB_INPUT_XI_EVENT_MASK_RAW_KEY_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE};
    xcb_input_xi_select_events(m_connection, RootOf(m_connection), 1, &selection.head);
    m_inputOpcode = input->major_opcode;
}

void X11Events::RegisterHotKeys(std::function<void(int id)> onHotKey) {
    m_onHotKey = std::move(onHotKey);
    if (!m_connection) return;
    GrabKeys();
    ListenToRawKeys();
    xcb_flush(m_connection);
    ReadKeys();
}

void X11Events::UnregisterHotKeys() {
    if (!m_connection) return;
    const xcb_window_t root = RootOf(m_connection);
    for (std::size_t id = 0; id < m_keycodes.size(); ++id) {
        if (!m_registered[id]) continue;
        for (std::uint16_t modifiers : m_grabModifiers) xcb_ungrab_key(m_connection, m_keycodes[id], root, modifiers);
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

void X11Events::WatchForeground(std::function<void()> onChange) {
    m_onForeground = std::move(onChange);
    if (!m_display) return;
    m_activeWindowAtom = XInternAtom(m_display, "_NET_ACTIVE_WINDOW", False);
    // Added to what Qt already hears of the root window, never in its place.
    XWindowAttributes root{};
    XGetWindowAttributes(m_display, DefaultRootWindow(m_display), &root);
    XSelectInput(m_display, DefaultRootWindow(m_display), root.your_event_mask | PropertyChangeMask);
    XFlush(m_display);
}

bool X11Events::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const int type = event->response_type & 0x7F;
    if (type == XCB_PROPERTY_NOTIFY && m_onForeground && m_activeWindowAtom) {
        const auto* property = static_cast<const xcb_property_notify_event_t*>(message);
        if (property->atom == m_activeWindowAtom && property->window == DefaultRootWindow(m_display)) m_onForeground();
    }
    if (m_randrEventBase >= 0 && (type == m_randrEventBase + RRScreenChangeNotify || type == m_randrEventBase + RRNotify)) {
        if (m_onOutputsChanged) m_onOutputsChanged();
    }
    return false;
}

}  // namespace lumeq
