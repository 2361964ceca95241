#include "linux/qt/portal_request_qt.h"

#include <QDBusConnection>
#include <QVariantMap>

namespace lumeq {

namespace {

const QString kService = "org.freedesktop.portal.Desktop";
const QString kPath = "/org/freedesktop/portal/desktop";

// Where the portal answers a request made with `token`: our unique name on the bus, without
// its colon and with '_' for '.', and the token.
QString RequestPath(const QString& token) {
    QString sender = QDBusConnection::sessionBus().baseService().mid(1);
    sender.replace('.', '_');
    return kPath + "/request/" + sender + "/" + token;
}

}  // namespace

QDBusMessage CallPortal(const QString& interface, const QString& method, const QList<QVariant>& arguments) {
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, interface, method);
    message.setArguments(arguments);
    return QDBusConnection::sessionBus().call(message, QDBus::Block, 5000);
}

bool AskPortal(const QString& interface, const QString& method, QList<QVariant> arguments, QObject* receiver,
               const char* slot) {
    static int requests = 0;
    const QString token = QString("lumeq_gamma_%1").arg(++requests);
    QDBusConnection::sessionBus().connect(kService, RequestPath(token), "org.freedesktop.portal.Request", "Response",
                                          receiver, slot);
    QVariantMap options = arguments.isEmpty() ? QVariantMap() : arguments.takeLast().toMap();
    options.insert("handle_token", token);
    arguments.append(options);
    return CallPortal(interface, method, arguments).type() == QDBusMessage::ReplyMessage;
}

}  // namespace lumeq
