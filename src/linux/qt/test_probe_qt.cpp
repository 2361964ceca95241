#include "linux/qt/test_probe_qt.h"

#include <cstdlib>

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QFile>
#include <QTcpSocket>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QMenuBar>
#include <QSystemTrayIcon>

#include "app/menu_layout.h"
#include "linux/qt/main_window_qt.h"

namespace lumeq {

namespace {
class RefusingOwnRamp : public DisplayRamp {
public:
    explicit RefusingOwnRamp(DisplayRamp& displays) : m_displays(displays) {
        for (const std::string& name : m_displays.Names()) {
            RampTable table;
            if (m_displays.Read(name, table)) m_own.emplace_back(name, table);
        }
    }
    std::vector<std::string> Names() override { return m_displays.Names(); }
    std::string Primary() override { return m_displays.Primary(); }
    bool Read(const std::string& name, RampTable& table) override { return m_displays.Read(name, table); }
    bool Write(const std::string& name, const RampTable& table) override {
        for (const auto& [own, ownTable] : m_own)
            if (own == name && ownTable == table) return false;
        return m_displays.Write(name, table);
    }
    std::string Seat(const std::string& name) override { return m_displays.Seat(name); }
    DisplayFitness Fitness(const std::string& name) override { return m_displays.Fitness(name); }

private:
    DisplayRamp& m_displays;
    std::vector<std::pair<std::string, RampTable>> m_own;
};
}  // namespace

std::unique_ptr<DisplayRamp> RefusingOwnRampIfAsked(DisplayRamp& displays) {
    if (!std::getenv("LUMEQ_TEST_REFUSE_OWN_RAMP")) return nullptr;
    return std::make_unique<RefusingOwnRamp>(displays);
}

namespace {
void ListMenu(const QMenu* menu, QStringList& lines) {
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) continue;
        if (action->menu()) {
            lines << QString("0 1 %1").arg(action->text());
            ListMenu(action->menu(), lines);
        } else {
            lines << QString("%1 %2 %3").arg(action->data().toString()).arg(action->isEnabled() ? 1 : 0).arg(action->text());
        }
    }
}
}  // namespace

TestProbe::TestProbe(MainWindow& form) : m_form(form) {
    const QString path = qEnvironmentVariable("LUMEQ_TEST_PROBE");
    if (path.isEmpty() || !m_server.listen(QHostAddress::LocalHost, 0)) return;
    QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
        QTcpSocket* socket = m_server.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            if (!socket->canReadLine()) return;
            const QString request = QString::fromUtf8(socket->readLine()).chopped(1);
            const QString text = Answer(request);
            const int rc = text == "?" || text == "refused" ? 1 : 0;
            socket->write((QString::number(rc) + "\n" + text + "\n").toUtf8());
            socket->flush();
            socket->disconnectFromHost();
        });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    });
    // The port, written last: a client that reads it finds the probe listening.
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(QByteArray::number(m_server.serverPort()) + "\n");
}

QString TestProbe::Answer(const QString& request) {
    const QString verb = request.section('\t', 0, 0);
    const QString argument = request.section('\t', 1, 1);
    QWidget* widget = argument.isEmpty() ? nullptr : m_form.findChild<QWidget*>(argument);
    if (verb == "field") {
        for (const auto& [field, text] : m_form.Fields())
            if (argument.toStdString() == FieldName(field)) return QString::fromStdString(text);
        return "?";
    }
    if (verb == "state" && widget) {
        const auto* button = qobject_cast<QAbstractButton*>(widget);
        return QString("%1 %2 %3")
            .arg(widget->isVisibleTo(&m_form) && !widget->isHidden() ? 1 : 0)
            .arg(widget->isEnabled() ? 1 : 0)
            .arg(button && button->isChecked() ? 1 : 0);
    }
    if (verb == "text" && widget) {
        if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->text();
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
        return "?";
    }
    if (verb == "click" && widget) {
        if (auto* button = qobject_cast<QAbstractButton*>(widget); button && button->isEnabled()) button->click();
        return "ok";
    }
    if (verb == "type" && widget) {
        auto* edit = qobject_cast<QLineEdit*>(widget);
        if (!edit || !edit->isEnabled()) return "refused";
        edit->setText(request.section('\t', 2));
        return "ok";
    }
    if (verb == "command") {
        const auto command = CommandNamed(argument.toStdString());
        if (QAction* action = command ? m_form.Action(*command) : nullptr; action && action->isEnabled())
            action->trigger();
        return "ok";
    }
    if (verb == "menus") {
        QStringList lines;
        for (QAction* action : m_form.menuBar()->actions()) {
            if (action->menu()) {
                lines << QString("0 1 %1").arg(action->text());
                ListMenu(action->menu(), lines);
            } else {
                lines << QString("0 1 %1").arg(action->text());
            }
        }
        lines << "-";
        if (const auto* popup = m_form.findChild<QMenu*>("Functions")) ListMenu(popup, lines);
        return lines.join('\n');
    }
    // Places and sizes in the screen's own pixels, as X and a person see them (Qt's
    // are scaled by the device pixel ratio at a high DPI).
    const qreal ratio = m_form.devicePixelRatioF();
    auto physical = [ratio](QRect rect) {
        return QRect(qRound(rect.left() * ratio), qRound(rect.top() * ratio), qRound(rect.width() * ratio),
                     qRound(rect.height() * ratio));
    };
    if (verb == "window") {
        const QRect frame = physical(m_form.frameGeometry());
        return QString("%1 %2 %3 %4 %5 %6")
            .arg(m_form.isVisible() ? 1 : 0)
            .arg(m_form.isMinimized() ? 1 : 0)
            .arg(frame.left())
            .arg(frame.top())
            .arg(frame.width())
            .arg(frame.height());
    }
    if (verb == "strip") {
        const QRect rect = physical(m_form.Indicator().Geometry());
        return QString("%1 %2 %3 %4 %5 %6")
            .arg(m_form.Indicator().IsShown() ? 1 : 0)
            .arg(rect.left())
            .arg(rect.top())
            .arg(rect.width())
            .arg(rect.height())
            .arg(m_form.Indicator().Text());
    }
    if (verb == "box") {
        // The modal box in front, if any: whether the main window shows behind it, and its text.
        const auto* box = qobject_cast<const QMessageBox*>(QApplication::activeModalWidget());
        return box ? QString("%1 %2").arg(m_form.isVisible() ? 1 : 0).arg(QString(box->text()).replace('\n', ' '))
                   : QString();
    }
    if (verb == "tray")
        return QString("%1 %2").arg(QSystemTrayIcon::isSystemTrayAvailable() ? 1 : 0).arg(m_form.TrayShown() ? 1 : 0);
    if (verb == "close") {
        m_form.close();
        return "ok";
    }
    if (verb == "quit") {
        // What Qt does when the session manager ends the session (logout).
        QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
        return "ok";
    }
    if (verb == "popup") {
        const auto* popup = m_form.findChild<QMenu*>("Functions");
        return popup && popup->isVisible() ? "1" : "0";
    }
    if (verb == "xid") return QString::number(m_form.winId());
    if (verb == "ticks") return QString::number(m_form.WatcherTicks());
    if (verb == "rect" && widget) {
        const QRect rect = physical(QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()));
        return QString("%1 %2 %3 %4").arg(rect.left()).arg(rect.top()).arg(rect.width()).arg(rect.height());
    }
    if (verb == "hotkeys") {
        QStringList flags;
        for (int id = 0; id < 4; ++id) flags << (m_form.HotKeyRegistered(id) ? "1" : "0");
        return flags.join(' ');
    }
    return "?";
}

}  // namespace lumeq
