#include "win32/test_probe_win32.h"

#include <ws2tcpip.h>

#include <cstdio>
#include <vector>

#include "win32/test_probe_verbs_win32.h"

namespace lumeq {

namespace {
constexpr UINT kListenerMessage = WM_APP + 0x50;
constexpr UINT kClientMessage = WM_APP + 0x51;

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        words.push_back(line.substr(start, tab - start));
    words.push_back(line.substr(start));
    return words;
}
}  // namespace

TestProbe::~TestProbe() {
    for (const auto& [client, request] : m_requests) closesocket(client);
    if (m_listener != INVALID_SOCKET) closesocket(m_listener);
}

bool TestProbe::Start(HINSTANCE instance, std::function<unsigned()> watcherTicks) {
    m_watcherTicks = std::move(watcherTicks);
    wchar_t path[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"LUMEQ_TEST_PROBE", path, MAX_PATH)) return false;
    WSADATA data{};
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return false;
    // A window of messages only: the socket's news reach the window's thread.
    CreateBase(instance, L"lumeqTestProbe", WindowClassLook{}, 0, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr);
    m_listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof(address);
    if (!m_hwnd || m_listener == INVALID_SOCKET ||
        bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || listen(m_listener, 8) != 0 ||
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        WSAAsyncSelect(m_listener, m_hwnd, kListenerMessage, FD_ACCEPT) != 0)
        return false;
    // The port, written last: a client that reads it finds the probe listening.
    FILE* file = _wfopen(path, L"w");
    if (!file) return false;
    std::fprintf(file, "%u\n", ntohs(address.sin_port));
    std::fclose(file);
    return true;
}

void TestProbe::Answer(SOCKET client) {
    std::string& request = m_requests[client];
    const std::size_t end = request.find('\n');
    if (end == std::string::npos) return;
    std::string out;
    const std::vector<std::string> words = Words(request.substr(0, end));
    int rc = 0;
    if (words.size() == 1 && words[0] == "ticks")
        out = std::to_string(m_watcherTicks()) + "\n";
    else
        rc = Probe(words, out);
    const std::string answer = std::to_string(rc) + "\n" + out;
    // Loopback takes a few kilobytes at once; the socket is non-blocking since WSAAsyncSelect.
    WSAAsyncSelect(client, m_hwnd, 0, 0);
    u_long blocking = 0;
    ioctlsocket(client, FIONBIO, &blocking);
    send(client, answer.data(), static_cast<int>(answer.size()), 0);
    closesocket(client);
    m_requests.erase(client);
}

LRESULT TestProbe::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kListenerMessage && WSAGETSELECTEVENT(lParam) == FD_ACCEPT) {
        const SOCKET client = accept(m_listener, nullptr, nullptr);
        if (client != INVALID_SOCKET) {
            m_requests[client];
            WSAAsyncSelect(client, m_hwnd, kClientMessage, FD_READ | FD_CLOSE);
        }
        return 0;
    }
    if (message == kClientMessage) {
        const auto client = static_cast<SOCKET>(wParam);
        if (WSAGETSELECTEVENT(lParam) == FD_CLOSE) {
            closesocket(client);
            m_requests.erase(client);
            return 0;
        }
        char buffer[4096];
        const int got = recv(client, buffer, sizeof(buffer), 0);
        if (got > 0) {
            m_requests[client].append(buffer, static_cast<std::size_t>(got));
            Answer(client);
        }
        return 0;
    }
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

}  // namespace lumeq
