#include "linux/gnome/mutter_displays.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QList>
#include <QVariantMap>

#include <algorithm>

namespace lumeq {

namespace {

const QString kService = "org.gnome.Mutter.DisplayConfig";
const QString kPath = "/org/gnome/Mutter/DisplayConfig";
const QString kInterface = "org.gnome.Mutter.DisplayConfig";

QDBusMessage Call(const QString& method, const QList<QVariant>& arguments = {}) {
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
    message.setArguments(arguments);
    return QDBusConnection::sessionBus().call(message, QDBus::Block, 2000);
}

bool Answered(const QDBusMessage& reply) { return reply.type() == QDBusMessage::ReplyMessage; }

}  // namespace

std::unique_ptr<MutterDisplays> MutterDisplays::Connect() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(kService)) return nullptr;
    std::unique_ptr<MutterDisplays> displays(new MutterDisplays());
    if (!displays->Refresh()) return nullptr;
    bus.connect(kService, kPath, kInterface, "MonitorsChanged", displays.get(), SLOT(OnMonitorsChanged()));
    return displays;
}

// GetResources: (serial, CRTCs a(uxiiiiiuaua{sv}), outputs a(uxiausauaua{sv}), modes, the
// largest screen). An output's current CRTC is its place in the CRTC list, -1 for none.
bool MutterDisplays::Refresh() {
    const QDBusMessage reply = Call("GetResources");
    if (!Answered(reply) || reply.arguments().size() < 3) return false;
    m_serial = reply.arguments().at(0).toUInt();

    std::vector<unsigned> crtcIds;
    const QDBusArgument crtcs = reply.arguments().at(1).value<QDBusArgument>();
    crtcs.beginArray();
    while (!crtcs.atEnd()) {
        uint id = 0, transform = 0;
        qlonglong winsys = 0;
        int x = 0, y = 0, width = 0, height = 0, mode = 0;
        QList<uint> transforms;
        QVariantMap properties;
        crtcs.beginStructure();
        crtcs >> id >> winsys >> x >> y >> width >> height >> mode >> transform >> transforms >> properties;
        crtcs.endStructure();
        crtcIds.push_back(id);
    }
    crtcs.endArray();

    std::vector<Monitor> monitors;
    const QDBusArgument outputs = reply.arguments().at(2).value<QDBusArgument>();
    outputs.beginArray();
    while (!outputs.atEnd()) {
        uint id = 0;
        qlonglong winsys = 0;
        int crtc = -1;
        QList<uint> possible, modes, clones;
        QString name;
        QVariantMap properties;
        outputs.beginStructure();
        outputs >> id >> winsys >> crtc >> possible >> name >> modes >> clones >> properties;
        outputs.endStructure();
        if (crtc < 0 || static_cast<std::size_t>(crtc) >= crtcIds.size() || name.isEmpty()) continue;
        Monitor monitor{name.toStdString(), crtcIds[static_cast<std::size_t>(crtc)],
                        properties.value("primary").toBool(), 0};
        // A monitor keeps its size across a refresh while its CRTC stays.
        for (const Monitor& known : m_monitors)
            if (known.connector == monitor.connector && known.crtc == monitor.crtc) monitor.size = known.size;
        monitors.push_back(monitor);
    }
    outputs.endArray();
    m_monitors = std::move(monitors);
    return true;
}

void MutterDisplays::OnMonitorsChanged() {
    Refresh();
    if (m_changed) m_changed();
}

MutterDisplays::Monitor* MutterDisplays::Find(const std::string& name) {
    const auto it = std::find_if(m_monitors.begin(), m_monitors.end(), [&](const Monitor& m) { return m.connector == name; });
    return it == m_monitors.end() ? nullptr : &*it;
}

std::vector<std::string> MutterDisplays::Names() {
    std::vector<std::string> names;
    for (const Monitor& monitor : m_monitors) names.push_back(monitor.connector);
    return names;
}

std::string MutterDisplays::Primary() {
    for (const Monitor& monitor : m_monitors)
        if (monitor.primary) return monitor.connector;
    return m_monitors.empty() ? std::string() : m_monitors.front().connector;
}

std::string MutterDisplays::Seat(const std::string& name) {
    const Monitor* monitor = Find(name);
    return monitor ? "crtc " + std::to_string(monitor->crtc) : std::string();
}

bool MutterDisplays::Read(const std::string& name, RampTable& table) {
    Monitor* monitor = Find(name);
    if (!monitor) return false;
    const QDBusMessage reply = Call("GetCrtcGamma", {QVariant::fromValue(m_serial), QVariant::fromValue(monitor->crtc)});
    if (!Answered(reply) || reply.arguments().size() != 3) return false;
    QList<ushort> channels[3];
    for (int c = 0; c < 3; ++c) channels[c] = qdbus_cast<QList<ushort>>(reply.arguments().at(c));
    const qsizetype size = channels[0].size();
    if (size < 2 || size > kMaxTableEntries || channels[1].size() != size || channels[2].size() != size) return false;
    table = RampTable(static_cast<int>(size));
    for (int c = 0; c < 3; ++c)
        for (int i = 0; i < size; ++i) table.At(c, i) = channels[c][i];
    monitor->size = static_cast<int>(size);
    return true;
}

bool MutterDisplays::Set(const Monitor& monitor, const RampTable& sized) {
    QList<ushort> channels[3];
    for (int c = 0; c < 3; ++c)
        for (int i = 0; i < sized.Size(); ++i) channels[c].append(sized.At(c, i));
    return Answered(Call("SetCrtcGamma", {QVariant::fromValue(m_serial), QVariant::fromValue(monitor.crtc),
                                          QVariant::fromValue(channels[0]), QVariant::fromValue(channels[1]),
                                          QVariant::fromValue(channels[2])}));
}

bool MutterDisplays::Write(const std::string& name, const RampTable& table) {
    Monitor* monitor = Find(name);
    RampTable own;
    if (monitor && monitor->size == 0 && !Read(name, own)) return false;
    if (!monitor) return false;
    if (Set(*monitor, Resized(table, monitor->size))) return true;
    // A write on stale resources (the monitors changed since) is refused: once more on fresh ones.
    const std::string seat = Seat(name);
    if (!Refresh()) return false;
    monitor = Find(name);
    if (!monitor || Seat(name) != seat) return false;
    return Set(*monitor, Resized(table, monitor->size));
}

}  // namespace lumeq
