#include "indicator/indicator_strip.h"

namespace lumeq {

namespace {
constexpr unsigned kHideAfterMs = 8000;
}  // namespace

void IndicatorStrip::Show(std::string_view text) {
    m_view.Show(text);
    m_timers.Start(TimerId::StripHide, kHideAfterMs);
}

void IndicatorStrip::OnStripHide() {
    m_view.Hide();
    m_timers.Stop(TimerId::StripHide);
}

void IndicatorStrip::Tell(Notice notice, std::string_view detail, bool silently) {
    if (!m_told.insert(notice).second || silently) return;
    Show(NoticeText(notice, detail));
}

}  // namespace lumeq
