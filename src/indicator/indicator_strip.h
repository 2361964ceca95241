#pragma once
// The strip's behaviour, whatever window shows it: each text stays 8 s after the last
// one, and a notice is told once a run.
#include <set>
#include <string_view>

#include "indicator/indicator_text.h"
#include "indicator/indicator_view.h"
#include "platform/timers.h"

namespace lumeq {

class IndicatorStrip {
public:
    IndicatorStrip(IndicatorView& view, Timers& timers) : m_view(view), m_timers(timers) {}

    // btAumentar / btDisminuir: the text shown, and StripHide counts 8 s afresh.
    void Show(std::string_view text);
    // StripHide: hidden, and the timer stops until the next text.
    void OnStripHide();

    // A notice, told once a run; `silently`: the shell told it its own way already.
    void Tell(Notice notice, std::string_view detail = {}, bool silently = false);
    bool Told(Notice notice) const { return m_told.count(notice) > 0; }

private:
    IndicatorView& m_view;
    Timers& m_timers;
    std::set<Notice> m_told;
};

}  // namespace lumeq
