#pragma once
// Another program's window taking the foreground, as Windows tells it: a win event hook out
// of context, whose calls come through this thread's message loop. A full-screen game taking
// the foreground makes Windows reset the ramp, and some games set their own then.
#include <windows.h>

#include <functional>

namespace lumeq {

class ForegroundWatch {
public:
    explicit ForegroundWatch(std::function<void()> changed);
    ~ForegroundWatch();
    ForegroundWatch(const ForegroundWatch&) = delete;
    ForegroundWatch& operator=(const ForegroundWatch&) = delete;

private:
    static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child,
                                 DWORD thread, DWORD time);

    std::function<void()> m_changed;
    HWINEVENTHOOK m_hook = nullptr;
};

}  // namespace lumeq
