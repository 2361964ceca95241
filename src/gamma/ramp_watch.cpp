#include "gamma/ramp_watch.h"

#include <set>

#include "gamma/boost_session.h"

namespace lumeq {

bool RampWatch::Look(bool afterForeground, bool tick) {
    if (tick) ++m_tick;
    if (!m_captures.HasReference() || !m_engine.Applied()) return false;
    const std::vector<std::string> attached = m_displays.Names();
    std::set<std::string> joined;
    for (const std::string& name : attached)
        if (!m_captures.Of(name)) joined.insert(name);
    m_captures.TakeJoined(attached);
    bool reapplied = false;
    for (const std::string& name : attached) {
        if (!m_engine.Keeps(name)) continue;
        const RampTable boosted = TableOf(*m_engine.Applied(), m_captures.Of(name)->table.Size());
        RampTable actual;
        if (!joined.count(name) && (!m_displays.Read(name, actual) || TablesMatch(actual, boosted))) continue;
        // The player's own table back as a window takes the foreground is a reset, not
        // another program's ramp.
        const bool reset = afterForeground && TablesMatch(actual, m_captures.Of(name)->table);
        if (!joined.count(name) && m_yieldRewrites > 0 && !reset) {
            std::deque<long>& ticks = m_rewrites[name];
            while (!ticks.empty() && ticks.front() <= m_tick - m_yieldTicks) ticks.pop_front();
            if (static_cast<int>(ticks.size()) >= m_yieldRewrites) {
                m_engine.LeaveToOther(name);
                m_yieldedNow = true;
                continue;
            }
            ticks.push_back(m_tick);
        }
        if (m_engine.Rewrite(name, boosted)) reapplied = true;
    }
    return reapplied;
}

}  // namespace lumeq
