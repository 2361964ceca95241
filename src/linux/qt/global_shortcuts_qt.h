#pragma once
// Ctrl+F1 to Ctrl+F4 in a Wayland session, whatever window has the keyboard: the desktop's
// global shortcuts portal (org.freedesktop.portal.GlobalShortcuts: KDE Plasma, GNOME 48 and
// later, Hyprland). A program not run from Flatpak says who it is first (the host registry,
// by the name of its .desktop file); then a session, the four shortcuts bound with the keys
// we would like, and each Activated becomes the hot key it stands for.
#include <QDBusObjectPath>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <functional>

namespace lumeq {

class GlobalShortcuts : public QObject {
    Q_OBJECT
public:
    // `pressed` gets each shortcut's hot key; `refused` is called once when the portal is
    // missing or refuses, with what to tell the player.
    GlobalShortcuts(std::function<void(int hotKey)> pressed, std::function<void(const QString& why)> refused);

private slots:
    void OnSessionCreated(uint response, const QVariantMap& results);
    void OnBound(uint response, const QVariantMap& results);
    void OnActivated(const QDBusObjectPath& session, const QString& id, qulonglong timestamp,
                     const QVariantMap& options);

private:
    void Refuse();

    std::function<void(int)> m_pressed;
    std::function<void(const QString&)> m_refused;
    QString m_session;
    bool m_refusedOnce = false;
};

}  // namespace lumeq
