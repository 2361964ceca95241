#include "app/window_presence.h"

namespace lumeq {

namespace {
constexpr unsigned kBringBackMs = 300;
}  // namespace

void WindowPresence::SetShownFromIcon(bool shown) {
    m_shownFromIcon = shown;
    m_main.SetField(Field::WindowHidden, shown ? "Si" : "No");
}

void WindowPresence::OnTrayEvent(TrayEvent event) {
    const TrayReaction reaction = ReactToTrayEvent(event, m_shownFromIcon);
    if (reaction.showWindow) m_main.Window(WindowRequest::Show);
    if (reaction.startShowAgain) m_timers.Start(TimerId::ShowAgain, kBringBackMs);
    if (reaction.shownFromIcon) SetShownFromIcon(*reaction.shownFromIcon);
    if (reaction.hideWindow) m_main.Window(WindowRequest::Hide);
    if (reaction.openPopup) m_main.OpenPopup();
}

void WindowPresence::Restore() {
    m_main.Window(WindowRequest::Show);
    SetShownFromIcon(true);
}

void WindowPresence::OnCloseRequest() {
    m_main.Window(WindowRequest::Hide);
    SetShownFromIcon(false);
}

void WindowPresence::OnShowAgain() {
    m_main.Window(WindowRequest::BringBack);
    m_timers.Stop(TimerId::ShowAgain);
}

}  // namespace lumeq
