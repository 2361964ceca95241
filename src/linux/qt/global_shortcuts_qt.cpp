#include "linux/qt/global_shortcuts_qt.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>

#include "app/hotkey_model.h"
#include "linux/qt/portal_request_qt.h"

namespace {

// One shortcut as BindShortcuts takes it: (id, {description, preferred_trigger}).
struct PortalShortcutEntry {
    QString id;
    QVariantMap properties;
};

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcutEntry& entry) {
    argument.beginStructure();
    argument << entry.id << entry.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcutEntry& entry) {
    argument.beginStructure();
    argument >> entry.id >> entry.properties;
    argument.endStructure();
    return argument;
}

}  // namespace

Q_DECLARE_METATYPE(PortalShortcutEntry)

namespace lumeq {

namespace {

const QString kService = "org.freedesktop.portal.Desktop";
const QString kPath = "/org/freedesktop/portal/desktop";
const QString kShortcuts = "org.freedesktop.portal.GlobalShortcuts";

}  // namespace

GlobalShortcuts::GlobalShortcuts(std::function<void(int)> pressed, std::function<void(const QString&)> refused)
    : m_pressed(std::move(pressed)), m_refused(std::move(refused)) {
    qDBusRegisterMetaType<PortalShortcutEntry>();
    qDBusRegisterMetaType<QList<PortalShortcutEntry>>();
    if (!QDBusConnection::sessionBus().isConnected()) {
        Refuse();
        return;
    }
    // Outside Flatpak the portal knows a program by its .desktop file's name, once told;
    // a portal without the registry (older ones, or ours inside Flatpak) needs nothing.
    CallPortal("org.freedesktop.host.portal.Registry", "Register", {QString("lumeq-gamma"), QVariantMap()});
    QDBusConnection::sessionBus().connect(kService, kPath, kShortcuts, "Activated", this,
                                          SLOT(OnActivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
    QVariantMap options{{"session_handle_token", "lumeq_gamma"}};
    if (!AskPortal(kShortcuts, "CreateSession", {options}, this, SLOT(OnSessionCreated(uint, QVariantMap)))) Refuse();
}

void GlobalShortcuts::OnSessionCreated(uint response, const QVariantMap& results) {
    // A string by the portal's documentation; some portals send an object path.
    const QVariant handle = results.value("session_handle");
    m_session = handle.metaType() == QMetaType::fromType<QDBusObjectPath>() ? handle.value<QDBusObjectPath>().path()
                                                                             : handle.toString();
    if (response != 0 || m_session.isEmpty()) {
        Refuse();
        return;
    }
    QList<PortalShortcutEntry> shortcuts;
    for (const PortalShortcut& shortcut : kPortalShortcuts)
        shortcuts.append({shortcut.id, {{"description", QString::fromUtf8(shortcut.description)},
                                        {"preferred_trigger", QString(shortcut.trigger)}}});
    if (!AskPortal(kShortcuts, "BindShortcuts",
                   {QVariant::fromValue(QDBusObjectPath(m_session)), QVariant::fromValue(shortcuts), QString(),
                    QVariantMap()},
                   this, SLOT(OnBound(uint, QVariantMap))))
        Refuse();
}

void GlobalShortcuts::OnBound(uint response, const QVariantMap&) {
    if (response != 0) Refuse();
}

void GlobalShortcuts::OnActivated(const QDBusObjectPath& session, const QString& id, qulonglong, const QVariantMap&) {
    if (session.path() != m_session) return;
    if (const auto key = ControlCommandKey(id.toStdString())) m_pressed(static_cast<int>(*key));
}

void GlobalShortcuts::Refuse() {
    if (m_refusedOnce) return;
    m_refusedOnce = true;
    if (m_refused) m_refused(QString::fromUtf8(NoGlobalShortcutsText()));
}

}  // namespace lumeq
