// The desktop's services a player's Linux desk has on its session bus, for the tests: a
// StatusNotifierWatcher with a host registered (KDE Plasma's and GNOME's AppIndicator tray)
// and KWin's Night Color. Prints what programs ask of them, one line each:
//   item SERVICE PATH      a StatusNotifierItem registered
//   inhibit COOKIE         Night Color asked to hold off
//   uninhibit COOKIE       and to go on
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QStringList>

#include <cstdio>

namespace {

void Say(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

// Handles calls by hand: no generated adaptors, and introspection that lists properties,
// which Qt reads a watcher's IsStatusNotifierHostRegistered through.
class Service : public QDBusVirtualObject {
public:
    explicit Service(QString interface, QString xml) : m_interface(std::move(interface)), m_xml(std::move(xml)) {}
    QString introspect(const QString&) const override { return m_xml; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        QVariantList reply;
        if (!Answer(message, reply)) return false;
        connection.send(message.createReply(reply));
        return true;
    }

protected:
    virtual bool Answer(const QDBusMessage& message, QVariantList& reply) = 0;
    QString m_interface;
    QString m_xml;
};

class Watcher : public Service {
public:
    Watcher()
        : Service("org.kde.StatusNotifierWatcher",
                  "<interface name=\"org.kde.StatusNotifierWatcher\">"
                  "<method name=\"RegisterStatusNotifierItem\"><arg name=\"service\" type=\"s\" direction=\"in\"/></method>"
                  "<method name=\"RegisterStatusNotifierHost\"><arg name=\"service\" type=\"s\" direction=\"in\"/></method>"
                  "<property name=\"RegisteredStatusNotifierItems\" type=\"as\" access=\"read\"/>"
                  "<property name=\"IsStatusNotifierHostRegistered\" type=\"b\" access=\"read\"/>"
                  "<property name=\"ProtocolVersion\" type=\"i\" access=\"read\"/>"
                  "</interface>") {}

protected:
    bool Answer(const QDBusMessage& message, QVariantList& reply) override {
        const QString member = message.member();
        if (member == "RegisterStatusNotifierItem") {
            // Qt gives its bus name, or a path on the caller's connection.
            QString item = message.arguments().value(0).toString();
            const QString path = item.startsWith('/') ? item : "/StatusNotifierItem";
            m_items << message.service() + path;
            Say("item " + message.service() + " " + path);
            return true;
        }
        if (member == "RegisterStatusNotifierHost") return true;
        if (message.interface() == "org.freedesktop.DBus.Properties" && member == "Get") {
            const QString property = message.arguments().value(1).toString();
            if (property == "IsStatusNotifierHostRegistered") reply << QVariant::fromValue(QDBusVariant(true));
            else if (property == "ProtocolVersion") reply << QVariant::fromValue(QDBusVariant(0));
            else reply << QVariant::fromValue(QDBusVariant(m_items));
            return true;
        }
        if (message.interface() == "org.freedesktop.DBus.Properties" && member == "GetAll") {
            QVariantMap all{{"IsStatusNotifierHostRegistered", true}, {"ProtocolVersion", 0},
                            {"RegisteredStatusNotifierItems", m_items}};
            reply << all;
            return true;
        }
        return false;
    }

private:
    QStringList m_items;
};

class NightColor : public Service {
public:
    NightColor()
        : Service("org.kde.KWin.NightLight",
                  "<interface name=\"org.kde.KWin.NightLight\">"
                  "<method name=\"inhibit\"><arg type=\"u\" direction=\"out\"/></method>"
                  "<method name=\"uninhibit\"><arg name=\"cookie\" type=\"u\" direction=\"in\"/></method>"
                  "</interface>") {}

protected:
    bool Answer(const QDBusMessage& message, QVariantList& reply) override {
        if (message.member() == "inhibit") {
            reply << QVariant::fromValue(++m_cookie);
            Say(QString("inhibit %1").arg(m_cookie));
            return true;
        }
        if (message.member() == "uninhibit") {
            Say(QString("uninhibit %1").arg(message.arguments().value(0).toUInt()));
            return true;
        }
        return false;
    }

private:
    unsigned m_cookie = 0;
};

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    Watcher watcher;
    NightColor nightColor;
    if (!bus.registerVirtualObject("/StatusNotifierWatcher", &watcher) ||
        !bus.registerService("org.kde.StatusNotifierWatcher") ||
        !bus.registerVirtualObject("/org/kde/KWin/NightLight", &nightColor) || !bus.registerService("org.kde.KWin"))
        return 1;
    Say("ready");
    return app.exec();
}
