#pragma once
// `lumeq-gamma --toggle` (and --up, --down, --screenshot) for the desktops that bind keys
// themselves (sway, Hyprland, niri, labwc, river): the command reaches the running copy
// through a local socket beside its lock, and does what Ctrl+F1 (F4, F3, F2) does.
#include <QObject>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QLocalServer;

namespace lumeq {

// The command word an argument names ("--toggle" gives "toggle"); nothing for any other.
std::optional<std::string> ControlCommandArgument(const char* argument);

// Sends `word` to the running copy listening at `socketPath` and returns the exit code: 0
// once it acted, 1 when no copy runs (told on stderr, in Spanish).
int SendControlCommand(const std::string& socketPath, const std::string& word);

// The running copy's end: each command becomes the hot key it stands for.
class ControlChannel : public QObject {
public:
    ControlChannel(const std::string& socketPath, std::function<void(int hotKey)> onHotKey);
    ~ControlChannel() override;

private:
    void OnConnection();

    std::unique_ptr<QLocalServer> m_server;
    std::function<void(int)> m_onHotKey;
};

}  // namespace lumeq
