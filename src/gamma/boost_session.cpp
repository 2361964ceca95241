#include "gamma/boost_session.h"

#include <algorithm>
#include <cstdlib>

#include "gamma/crash_record.h"

namespace lumeq {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
}  // namespace

std::optional<std::int16_t> ParseStoredLevel(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = std::min(value * 10 + (c - '0'), 100000L);
    }
    if (negative) value = -value;
    return static_cast<std::int16_t>(std::clamp(value, -32768L, 32767L));
}

int LevelToLoad(std::optional<std::int16_t> stored, std::int16_t estimate) {
    const int level = stored ? *stored : estimate;
    return std::clamp(level, kLevelMin, kLevelMax);
}

std::string FormatStoredLevel(int level) { return std::to_string(level); }

std::string LevelText(int level, std::string_view decimalSeparator) {
    const int offset = level - 40;
    std::string text = offset < 0 ? "-" : "";
    text += std::to_string(std::abs(offset));
    text += decimalSeparator.empty() ? std::string_view(".") : decimalSeparator;
    text += "00";
    return text;
}

bool BoostEngine::Apply(int level) {
    // Without a captured table a boosted ramp could never be taken back again.
    const GammaRamp ramp = BuildRamp(ExponentOfLevel(level));
    const bool safe = m_captures.HasReference() && IsSafeRamp(ramp);
    bool accepted = safe;
    if (safe) {
        const std::vector<std::string> attached = m_displays.Names();
        m_captures.TakeJoined(attached);
        for (const std::string& name : attached) {
            const CapturedDisplay* captured = m_captures.Of(name);
            if (!captured || m_captures.IsUnfit(name)) continue;
            if (m_displays.Write(name, Varied(name, TableOf(ramp, captured->table.Size())))) {
                m_refused.erase(name);
            } else {
                m_refused.insert(name);
                accepted = false;
            }
        }
    }
    m_lastRampRefused = !accepted;
    if (safe)
        m_applied = ramp;
    else
        m_applied.reset();
    return accepted;
}

void BoostEngine::Reapply(int level) {
    if (!m_captures.HasReference()) return;
    m_refused.clear();
    m_captures.Sort(m_displays.Names(), m_applied.has_value());
    Apply(level);
}

bool BoostEngine::Keeps(const std::string& name) const {
    return m_captures.Of(name) && !m_refused.count(name) && !m_captures.IsUnfit(name);
}

bool BoostEngine::Rewrite(const std::string& name, const RampTable& boosted) {
    if (m_displays.Write(name, Varied(name, boosted))) return true;
    m_refused.insert(name);
    m_lastRampRefused = true;
    return false;
}

RampTable BoostEngine::Varied(const std::string& name, RampTable table) {
    if (m_variedLast.erase(name) == 0 && table.Size() > 0) {
        std::uint16_t& last = table.At(2, table.Size() - 1);
        last = last > 0 ? static_cast<std::uint16_t>(last - 1) : 1;
        m_variedLast.insert(name);
    }
    return table;
}

namespace {
constexpr int kYieldRewrites = 3;  // within
constexpr int kYieldTicks = 30;    // ticks of the ramp watch: half a minute
constexpr int kBoostTicks = 5;     // the slider's ticks over the boost's range
}  // namespace

BoostSession::Boost::Boost(DisplayRamp& displays, CaptureJournal* journal)
    : captures(displays, journal), engine(displays, captures), watch(displays, captures, engine, kYieldRewrites, kYieldTicks) {}

BoostSession::BoostSession(BoostPorts ports) : m_ports(ports) {}

BoostSession::~BoostSession() {
    if (m_boost) Stop();
}

BoostSession::Started BoostSession::Start() {
    if (m_ports.nightLight) m_ports.nightLight->Hold(true);
    if (m_boost && m_boost->captures.HasReference()) {
        // Already on (a command that waited, or came twice): the level set again, never a
        // second capture, which would take the boost for the displays' own ramp.
        m_boost->engine.Reapply(m_level.level);
    } else {
        if (!m_boost) m_boost = std::make_unique<Boost>(m_ports.displays, m_ports.journal);
        if (const std::optional<GammaRamp> own = m_boost->captures.Take()) {
            m_level.minimum = kLevelMin;
            m_level.maximum = kLevelMax;
            m_level.tickFrequency = kBoostTicks;
            std::optional<std::int16_t> stored;
            if (const auto text = m_ports.levelStore.Read()) stored = ParseStoredLevel(*text);
            MoveLevel(LevelToLoad(stored, EstimateLevel(*own)));
            m_boost->engine.Apply(m_level.level);
        } else {
            // No display's table to give back: nothing may be boosted, and the level stays.
            m_level.enabled = false;
            MoveLevel(m_level.level);
        }
    }
    // No display's ramp captured means nothing could be boosted: a refusal, told as one.
    return {!m_boost->captures.HasReference() || m_boost->engine.LastRampRefused(), m_boost->captures.RecordFailed()};
}

bool BoostSession::Stop() {
    bool givenBack = true;
    if (m_boost) {
        if (m_boost->captures.HasReference()) {
            m_boost->engine.Stop();
            givenBack = m_boost->captures.GiveBack();
            // Last: a slow store must not keep the screen bright.
            m_ports.levelStore.Write(FormatStoredLevel(m_level.level));
        }
        m_boost.reset();
    }
    if (m_ports.nightLight) m_ports.nightLight->Hold(false);
    return givenBack;
}

void BoostSession::MoveLevel(int level) {
    m_level.level = std::clamp(level, m_level.minimum, m_level.maximum);
    if (m_ports.levelView) m_ports.levelView->ShowLevel(m_level);
}

StepOutcome BoostSession::Step(int step) {
    MoveLevel(m_level.level + step);
    return {m_level.level, m_boost && m_boost->engine.Apply(m_level.level)};
}

void BoostSession::SetLevel(int level) {
    MoveLevel(level);
    if (m_boost) m_boost->engine.Apply(m_level.level);
}

bool BoostSession::OnDisplaysChanged() {
    if (m_boost) {
        m_boost->engine.Reapply(m_level.level);
        return true;
    }
    return !m_ports.journal || GiveBackOwed(m_ports.displays, *m_ports.journal);
}

BoostSession::Watched BoostSession::WatchRamp() {
    if (!m_boost) return {};
    const bool rewrote = m_boost->watch.Look(false, true);
    return {rewrote, m_boost->watch.TakeYielded()};
}

BoostSession::Watched BoostSession::WatchAfterForeground(bool tick) {
    if (!m_boost) return {};
    const bool rewrote = m_boost->watch.Look(true, tick);
    return {rewrote, m_boost->watch.TakeYielded()};
}

std::vector<std::pair<std::string, DisplayFitness>> BoostSession::TakeUnfitToTell() {
    std::vector<std::pair<std::string, DisplayFitness>> news;
    if (!m_boost) return news;
    for (const auto& [name, fitness] : m_boost->captures.Unfit()) {
        m_sawHdr = m_sawHdr || fitness == DisplayFitness::Hdr;
        const auto told = m_toldUnfit.find(name);
        if (told != m_toldUnfit.end() && told->second == fitness) continue;
        m_toldUnfit[name] = fitness;
        news.emplace_back(name, fitness);
    }
    return news;
}

std::optional<std::pair<std::string, DisplayFitness>> BoostSession::NothingTakesRamps() const {
    if (!m_boost || m_boost->captures.HasReference() || m_boost->captures.Unfit().empty()) return std::nullopt;
    return *m_boost->captures.Unfit().begin();
}

}  // namespace lumeq
