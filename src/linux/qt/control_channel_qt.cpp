#include "linux/qt/control_channel_qt.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <cstdio>
#include <cstring>

#include "app/hotkey_model.h"

namespace lumeq {

namespace {
constexpr int kWaitMs = 3000;
}

std::optional<std::string> ControlCommandArgument(const char* argument) {
    if (!argument || std::strncmp(argument, "--", 2) != 0 || !ControlCommandKey(argument + 2)) return std::nullopt;
    return std::string(argument + 2);
}

int SendControlCommand(const std::string& socketPath, const std::string& word) {
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(socketPath));
    if (!socket.waitForConnected(kWaitMs)) {
        std::fprintf(stderr, "lumeq-gamma: lumeq gamma no está en marcha: nada que hacer con --%s\n", word.c_str());
        return 1;
    }
    socket.write((word + "\n").c_str());
    socket.flush();
    // The answer comes once the command ran.
    while (!socket.canReadLine() && socket.waitForReadyRead(kWaitMs)) {
    }
    return socket.readLine().trimmed() == "ok" ? 0 : 1;
}

ControlChannel::ControlChannel(const std::string& socketPath, std::function<void(int)> onHotKey)
    : m_server(std::make_unique<QLocalServer>()), m_onHotKey(std::move(onHotKey)) {
    // This copy holds the single-instance lock: a socket left there is a dead copy's.
    QLocalServer::removeServer(QString::fromStdString(socketPath));
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(QString::fromStdString(socketPath)))
        std::fprintf(stderr, "lumeq-gamma: %s: %s\n", socketPath.c_str(), m_server->errorString().toUtf8().constData());
    QObject::connect(m_server.get(), &QLocalServer::newConnection, this, [this] { OnConnection(); });
}

ControlChannel::~ControlChannel() {
    if (m_server) m_server->close();  // and the socket file goes with it
}

void ControlChannel::OnConnection() {
    while (QLocalSocket* client = m_server->nextPendingConnection()) {
        QObject::connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        QObject::connect(client, &QLocalSocket::readyRead, this, [this, client] {
            if (!client->canReadLine()) return;
            const std::string word = client->readLine().trimmed().toStdString();
            const std::optional<HotKeyId> key = ControlCommandKey(word);
            if (key) m_onHotKey(static_cast<int>(*key));
            client->write(key ? "ok\n" : "unknown\n");
            client->flush();
            client->disconnectFromServer();
        });
    }
}

}  // namespace lumeq
