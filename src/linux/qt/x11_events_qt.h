#pragma once
// What the Linux edition hears from the X server: the global hot keys Ctrl+F1..F4
// (passive grabs on the root window, for every state of the lock keys), the same keys as
// XInput raw keys while another client holds the whole keyboard, and RandR's news that
// outputs came, went or changed mode.
//
// The keys come on a connection of their own, read by the main thread as soon as the
// server writes: Qt's own connection is read by a thread of its own, which hands every
// event over to the main thread, and a key would wait for that hand-over.
#include <QAbstractNativeEventFilter>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "app/hot_key_rules.h"

class QSocketNotifier;
class QTimer;

struct xcb_connection_t;
struct _XCBKeySymbols;
struct _XDisplay;

namespace lumeq {

class X11Events : public QAbstractNativeEventFilter {
public:
    // `display` is Qt's; nothing is grabbed or heard without one.
    explicit X11Events(_XDisplay* display);
    ~X11Events() override;
    X11Events(const X11Events&) = delete;
    X11Events& operator=(const X11Events&) = delete;

    // Grabs Ctrl+F1..F4; a key held by another program is that key not registered. The
    // keys are grabbed again, by their new codes, when the keyboard's mapping changes.
    void RegisterHotKeys(std::function<void(int id)> onHotKey);
    void UnregisterHotKeys();
    bool HotKeyRegistered(int id) const { return m_registered[static_cast<std::size_t>(id)]; }

    // Outputs changed: the displays must be listed again and the ramps set again.
    void WatchOutputs(std::function<void()> onChange);
    // Another window became the active one (the window manager's _NET_ACTIVE_WINDOW).
    void WatchForeground(std::function<void()> onChange);

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void ReadKeys();
    void GrabKeys();
    void ListenToRawKeys();
    void Act(std::optional<int> id);

    xcb_connection_t* m_connection;  // the keys' own
    _XCBKeySymbols* m_symbols = nullptr;  // xcb_key_symbols_t
    std::unique_ptr<QSocketNotifier> m_keysReady;
    std::unique_ptr<QTimer> m_rawWait;
    _XDisplay* m_display;
    std::array<std::uint8_t, 4> m_keycodes{};
    std::array<bool, 4> m_registered{};
    std::vector<std::uint16_t> m_grabModifiers;
    std::uint16_t m_locks = kLockMask;
    HotKeyPresses m_presses;
    int m_inputOpcode = -1;  // XInput's major opcode, when the server has XInput 2.1
    std::function<void(int)> m_onHotKey;
    std::function<void()> m_onOutputsChanged;
    std::function<void()> m_onForeground;
    unsigned long m_activeWindowAtom = 0;
    int m_randrEventBase = -1;
};

}  // namespace lumeq
