#pragma once
// The whole screen in a Wayland session, where an X11 capture sees only Xwayland's windows:
// the desktop portal's Screenshot (org.freedesktop.portal.Screenshot, not interactive). The
// portal saves a file and answers with its address; the picture is taken from it and the
// file removed (ours is the numbered JPEG).
#include <QImage>
#include <QEventLoop>
#include <QObject>
#include <QVariantMap>

#include <optional>

namespace lumeq {

class PortalScreenshot : public QObject {
    Q_OBJECT
public:
    // The screen now, or nothing when the portal is missing, refuses or takes longer than
    // `timeoutMs`.
    std::optional<QImage> Take(int timeoutMs = 5000);

private slots:
    void OnResponse(uint response, const QVariantMap& results);

private:
    bool m_answered = false;
    QEventLoop* m_wait = nullptr;  // while Take waits
    std::optional<QImage> m_image;
};

}  // namespace lumeq
