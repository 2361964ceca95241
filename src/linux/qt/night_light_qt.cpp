#include "linux/qt/night_light_qt.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>

namespace lumeq {

namespace {
const char kService[] = "org.kde.KWin";
// A call to KWin is a few milliseconds; one that hangs must not hold the hot key.
constexpr int kCallTimeoutMs = 500;
}  // namespace

KWinNightLight::KWinNightLight() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(kService)) return;
    // Plasma 6, then Plasma 5.
    for (const auto& [path, interface] : {std::pair{"/org/kde/KWin/NightLight", "org.kde.KWin.NightLight"},
                                          std::pair{"/ColorCorrect", "org.kde.kwin.ColorCorrect"}}) {
        QDBusMessage probe = QDBusMessage::createMethodCall(kService, path, "org.freedesktop.DBus.Introspectable",
                                                           "Introspect");
        const QDBusReply<QString> xml = bus.call(probe, QDBus::Block, kCallTimeoutMs);
        if (xml.isValid() && xml.value().contains(interface)) {
            m_path = path;
            m_interface = interface;
            return;
        }
    }
}

void KWinNightLight::Hold(bool hold) {
    if (m_path.isEmpty() || hold == m_cookie.has_value()) return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (hold) {
        QDBusMessage call = QDBusMessage::createMethodCall(kService, m_path, m_interface, "inhibit");
        const QDBusReply<unsigned> cookie = bus.call(call, QDBus::Block, kCallTimeoutMs);
        if (cookie.isValid()) m_cookie = cookie.value();
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(kService, m_path, m_interface, "uninhibit");
    call << *m_cookie;
    bus.call(call, QDBus::Block, kCallTimeoutMs);
    m_cookie.reset();
}

}  // namespace lumeq
