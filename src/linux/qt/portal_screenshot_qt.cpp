#include "linux/qt/portal_screenshot_qt.h"

#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QUrl>

#include <utility>

#include "linux/qt/portal_request_qt.h"

namespace lumeq {

std::optional<QImage> PortalScreenshot::Take(int timeoutMs) {
    if (m_wait) return std::nullopt;  // a key pressed again while the portal still answers the first
    m_answered = false;
    m_image.reset();
    const QVariantMap options{{"interactive", false}, {"modal", false}};
    if (!AskPortal("org.freedesktop.portal.Screenshot", "Screenshot", {QString(), options}, this,
                   SLOT(OnResponse(uint, QVariantMap))))
        return std::nullopt;
    // The answer comes on the bus: wait for it here, as a capture is one step of a hot key's.
    QEventLoop wait;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &wait, &QEventLoop::quit);
    timeout.start(timeoutMs);
    m_wait = &wait;
    if (!m_answered) wait.exec(QEventLoop::ExcludeUserInputEvents);
    m_wait = nullptr;
    return std::exchange(m_image, std::nullopt);
}

void PortalScreenshot::OnResponse(uint response, const QVariantMap& results) {
    if (m_answered) return;
    m_answered = true;
    if (m_wait) m_wait->quit();
    const QUrl uri(results.value("uri").toString());
    if (response != 0 || !uri.isLocalFile()) return;
    QImage image(uri.toLocalFile());
    if (image.isNull()) return;
    m_image = image;
    QFile::remove(uri.toLocalFile());
}

}  // namespace lumeq
