#include "gamma/boost_engine.h"

#include <algorithm>

#include "gamma/stored_level.h"

namespace lumeq {

namespace {
bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// A record of old knows a display by its place among those attached.
std::string NameOf(const CapturedDisplay& display, const std::vector<std::string>& attached) {
    if (display.name.empty() && display.position >= 0 && display.position < static_cast<int>(attached.size()))
        return attached[static_cast<std::size_t>(display.position)];
    return display.name;
}

// A display that took over the seat an owed display left (an X CRTC keeps the ramp it
// was given, and a driver sets it again at every mode change) and still shows one of our
// boosted ramps: the owed table goes back on that seat before anything of the newcomer is
// read or written. A seat that shows anything else is the newcomer's own (another monitor
// that got the CRTC, a server that kept the ids over a restart): left alone. Returns the
// owed display whose seat was mended, which then has no seat to mend any more.
CapturedDisplay* MendSeat(DisplayRamp& displays, const std::string& newcomer, CapturedDisplays& owed,
                          const std::vector<std::string>& attached) {
    const std::string seat = displays.Seat(newcomer);
    if (seat.empty()) return nullptr;
    for (CapturedDisplay& display : owed) {
        if (display.seat != seat || Contains(attached, NameOf(display, attached))) continue;
        RampTable shown;
        if (!displays.Read(newcomer, shown) || !IsBoostTable(shown)) return nullptr;
        displays.Write(newcomer, OriginalToPutBack(display.table));
        display.seat.clear();
        return &display;
    }
    return nullptr;
}
}  // namespace

PutBack PutBackCaptured(DisplayRamp& displays, const CapturedDisplays& captured) {
    const std::vector<std::string> attached = displays.Names();
    PutBack result;
    CapturedDisplays mended = captured;
    for (const std::string& name : attached) {
        const bool known = std::any_of(captured.begin(), captured.end(),
                                       [&](const CapturedDisplay& display) { return NameOf(display, attached) == name; });
        if (!known && MendSeat(displays, name, mended, attached)) result.mended = true;
    }
    for (const CapturedDisplay& display : mended) {
        const std::string name = NameOf(display, attached);
        if (!Contains(attached, name)) {
            result.owed.push_back(display);  // gone: owed until it comes back
        } else if (!displays.Write(name, OriginalToPutBack(display.table))) {
            result.owed.push_back(display);
            result.refused = true;
        }
    }
    return result;
}

bool GiveBackOwed(DisplayRamp& displays, CaptureJournal& journal) {
    const auto pending = journal.Pending();
    if (!pending) return true;
    const PutBack back = PutBackCaptured(displays, *pending);
    if (back.owed.empty())
        journal.Clear();
    else if (back.owed.size() != pending->size() || back.mended)
        journal.Record(back.owed);
    return !back.refused;
}

BoostEngine::~BoostEngine() {
    if (!m_released) Release();
}

void BoostEngine::Initialize(Slider& slider) {
    m_levelSlider = &slider;
    m_captures.clear();
    const std::vector<std::string> attached = m_display.Names();
    SortDisplays(attached);
    // What a record still owes is the displays' own, whatever they show now.
    if (m_journal) {
        if (auto pending = m_journal->Pending()) {
            for (CapturedDisplay& display : *pending) {
                display.name = NameOf(display, attached);
                display.position = -1;
                if (!display.name.empty() && !CaptureOf(display.name)) m_captures.push_back(std::move(display));
            }
        }
    }
    CaptureNewDisplays(attached);
    const CapturedDisplay* reference = Contains(attached, m_display.Primary()) ? CaptureOf(m_display.Primary()) : nullptr;
    for (const CapturedDisplay& display : m_captures)
        if (!reference && Contains(attached, display.name)) reference = &display;
    if (!reference) {
        m_captured = false;
        slider.Disable();
        return;
    }
    m_capturedRamp = RampOf(reference->table);
    m_captured = true;
    // Kept before the first boosted ramp reaches a display, so that a crash cannot lose it.
    Journal();
    slider.SetRangeMin(kLevelMin);
    slider.SetRangeMax(kLevelMax);
    slider.SetTickFrequency(5);
    LoadLevel();
}

bool BoostEngine::Release() {
    m_released = true;
    if (!m_captured) return true;  // nothing was captured, so nothing was changed
    const PutBack back = PutBackCaptured(m_display, m_captures);
    m_applied.reset();
    if (m_journal) {
        if (back.owed.empty())
            m_journal->Clear();
        else
            m_journal->Record(back.owed);
    }
    // Last: a slow store must not keep the screen bright.
    SaveLevel();
    return !back.refused;
}

std::int16_t BoostEngine::EstimateLevel() const { return lumeq::EstimateLevel(m_capturedRamp); }

void BoostEngine::LoadLevel() {
    const std::int16_t estimate = EstimateLevel();
    std::optional<std::int16_t> stored;
    if (const auto text = m_store.Read()) stored = ParseStoredLevel(*text);
    const int level = LevelToLoad(stored, estimate);
    if (m_levelSlider) m_levelSlider->SetPosition(level);
    ApplyLevel(level);
}

void BoostEngine::SaveLevel() {
    if (!m_levelSlider || !m_captured) return;
    m_store.Write(FormatStoredLevel(m_levelSlider->Position()));
}

const CapturedDisplay* BoostEngine::CaptureOf(const std::string& name) const {
    for (const CapturedDisplay& display : m_captures)
        if (display.name == name) return &display;
    return nullptr;
}

bool BoostEngine::CaptureNewDisplays(const std::vector<std::string>& attached) {
    bool added = false;
    for (const std::string& name : attached) {
        if (CaptureOf(name) || m_unfit.count(name)) continue;
        if (const DisplayFitness fitness = m_display.Fitness(name); fitness != DisplayFitness::TakesRamp) {
            m_unfit[name] = fitness;
            continue;
        }
        MendSeat(m_display, name, m_captures, attached);
        RampTable table;
        if (!m_display.Read(name, table) || table.Size() < 2) continue;
        m_captures.push_back({name, std::move(table), m_display.Seat(name)});
        added = true;
    }
    return added;
}

void BoostEngine::SortDisplays(const std::vector<std::string>& attached) {
    for (const std::string& name : attached) {
        const DisplayFitness fitness = m_display.Fitness(name);
        if (fitness == DisplayFitness::TakesRamp) {
            m_unfit.erase(name);
            continue;
        }
        const CapturedDisplay* captured = CaptureOf(name);
        if (!m_unfit.count(name) && captured && m_applied)
            m_display.Write(name, OriginalToPutBack(captured->table));  // HDR came on while boosted
        m_unfit[name] = fitness;
    }
}

RampTable BoostEngine::Varied(const std::string& name, RampTable table) {
    if (m_variedLast.erase(name) == 0 && table.Size() > 0) {
        std::uint16_t& last = table.At(2, table.Size() - 1);
        last = last > 0 ? static_cast<std::uint16_t>(last - 1) : 1;
        m_variedLast.insert(name);
    }
    return table;
}

void BoostEngine::Journal() {
    if (m_journal && !m_journal->Record(m_captures)) m_recordFailed = true;
}

bool BoostEngine::ApplyLevel(int level) {
    // Without a captured table a boosted ramp could never be taken back again.
    const GammaRamp ramp = BuildRamp(ExponentOfLevel(level));
    const bool safe = m_captured && IsSafeRamp(ramp);
    bool accepted = safe;
    if (safe) {
        const std::vector<std::string> attached = m_display.Names();
        if (CaptureNewDisplays(attached)) Journal();
        for (const std::string& name : attached) {
            const CapturedDisplay* captured = CaptureOf(name);
            if (!captured || m_unfit.count(name)) continue;
            if (m_display.Write(name, Varied(name, TableOf(ramp, captured->table.Size())))) {
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

void BoostEngine::OnSliderInput() {
    if (m_levelSlider) ApplyLevel(m_levelSlider->Position());
}

void BoostEngine::ReapplyLevel() {
    if (!m_captured || !m_levelSlider) return;
    m_refused.clear();
    SortDisplays(m_display.Names());
    ApplyLevel(m_levelSlider->Position());
}

bool BoostEngine::ReapplyIfReplaced(bool afterForeground, bool tick) {
    if (tick) ++m_tick;
    if (!m_captured || !m_applied) return false;
    const std::vector<std::string> attached = m_display.Names();
    std::set<std::string> joined;
    for (const std::string& name : attached)
        if (!CaptureOf(name)) joined.insert(name);
    if (CaptureNewDisplays(attached)) Journal();
    bool reapplied = false;
    for (const std::string& name : attached) {
        const CapturedDisplay* captured = CaptureOf(name);
        if (!captured || m_refused.count(name) || m_unfit.count(name)) continue;
        const RampTable boosted = TableOf(*m_applied, captured->table.Size());
        RampTable actual;
        if (!joined.count(name) && (!m_display.Read(name, actual) || TablesMatch(actual, boosted))) continue;
        // The player's own table back as a window takes the foreground is a reset, not
        // another program's ramp.
        const bool reset = afterForeground && TablesMatch(actual, captured->table);
        if (!joined.count(name) && m_yieldRewrites > 0 && !reset) {
            std::deque<long>& ticks = m_rewrites[name];
            while (!ticks.empty() && ticks.front() <= m_tick - m_yieldTicks) ticks.pop_front();
            if (static_cast<int>(ticks.size()) >= m_yieldRewrites) {
                m_refused.insert(name);  // never rewritten again while this activation lasts
                m_yieldedNow = true;
                continue;
            }
            ticks.push_back(m_tick);
        }
        if (!m_display.Write(name, Varied(name, boosted))) {
            m_refused.insert(name);
            m_lastRampRefused = true;
            continue;
        }
        reapplied = true;
    }
    return reapplied;
}

}  // namespace lumeq
