#include "win32/foreground_watch_win32.h"

namespace lumeq {

namespace {
// The hook's callback carries no context of ours; one watch per program.
std::function<void()>* g_changed = nullptr;
}  // namespace

ForegroundWatch::ForegroundWatch(std::function<void()> changed) : m_changed(std::move(changed)) {
    g_changed = &m_changed;
    m_hook = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, &ForegroundWatch::OnEvent, 0, 0,
                             WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
}

ForegroundWatch::~ForegroundWatch() {
    if (m_hook) UnhookWinEvent(m_hook);
    if (g_changed == &m_changed) g_changed = nullptr;
}

void CALLBACK ForegroundWatch::OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD, DWORD) {
    if (event == EVENT_SYSTEM_FOREGROUND && window && object == OBJID_WINDOW && g_changed && *g_changed) (*g_changed)();
}

}  // namespace lumeq
