#pragma once
// Test builds only: the end-to-end tests' eyes inside the program, as the Linux edition's.
// A socket on 127.0.0.1 (its port written to the file $LUMEQ_TEST_PROBE names) takes one
// request a connection: its words separated by tabs, ended by a line feed. The answer is the
// verb's exit code on a line, then what it printed (see test_probe_verbs_win32.h). Requests
// are answered on the window's thread, between its messages, modal boxes included.
#include <windows.h>
#include <winsock2.h>

#include <functional>
#include <map>
#include <string>

#include "win32/base_window_win32.h"

namespace lumeq {

class TestProbe : public BaseWindow<TestProbe> {
public:
    ~TestProbe();
    // Listens when $LUMEQ_TEST_PROBE is set; false when it could not. Beyond the verbs of
    // test_probe_verbs_win32.h, "ticks" answers how many watcher ticks have run.
    bool Start(HINSTANCE instance, std::function<unsigned()> watcherTicks);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void Answer(SOCKET client);

    std::function<unsigned()> m_watcherTicks;
    SOCKET m_listener = INVALID_SOCKET;
    std::map<SOCKET, std::string> m_requests;  // what each connection sent so far
};

}  // namespace lumeq
