#pragma once
// The desktop portal's way of answering (org.freedesktop.portal.Desktop): a method returns a
// request object at once, and the answer comes later as that object's Response signal. A
// client names the request with a token of its own, so that it can listen before it asks.
#include <QDBusMessage>
#include <QList>
#include <QString>
#include <QVariant>

class QObject;

namespace lumeq {

// Calls `method` of the portal's `interface`, the last argument being its options, with a
// fresh token in them, after connecting the request's Response to `receiver`'s `slot`
// (uint response, QVariantMap results). False when the call fails (no portal, no such
// interface).
bool AskPortal(const QString& interface, const QString& method, QList<QVariant> arguments, QObject* receiver,
               const char* slot);

// A plain call to the portal's object.
QDBusMessage CallPortal(const QString& interface, const QString& method, const QList<QVariant>& arguments);

}  // namespace lumeq
