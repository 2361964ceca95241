#include "gamma/display_captures.h"

#include <algorithm>

#include "gamma/crash_record.h"

namespace lumeq {

namespace {
bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}
}  // namespace

std::optional<GammaRamp> DisplayCaptures::Take() {
    m_captures.clear();
    m_hasReference = false;
    const std::vector<std::string> attached = m_displays.Names();
    Sort(attached, false);
    // What a record still owes is the displays' own, whatever they show now.
    if (m_journal) {
        if (auto pending = m_journal->Pending()) {
            for (CapturedDisplay& display : *pending) {
                display.name = AttachedNameOf(display, attached);
                display.position = -1;
                if (!display.name.empty() && !Of(display.name)) m_captures.push_back(std::move(display));
            }
        }
    }
    TakeAttached(attached);
    const std::string primary = m_displays.Primary();
    const CapturedDisplay* reference = Contains(attached, primary) ? Of(primary) : nullptr;
    for (const CapturedDisplay& display : m_captures)
        if (!reference && Contains(attached, display.name)) reference = &display;
    if (!reference) return std::nullopt;
    m_hasReference = true;
    // Kept before the first boosted ramp reaches a display, so that a crash cannot lose it.
    Record();
    return RampOf(reference->table);
}

bool DisplayCaptures::TakeJoined(const std::vector<std::string>& attached) {
    if (!TakeAttached(attached)) return false;
    Record();
    return true;
}

bool DisplayCaptures::TakeAttached(const std::vector<std::string>& attached) {
    bool added = false;
    for (const std::string& name : attached) {
        if (Of(name) || m_unfit.count(name)) continue;
        if (const DisplayFitness fitness = m_displays.Fitness(name); fitness != DisplayFitness::TakesRamp) {
            m_unfit[name] = fitness;
            continue;
        }
        MendSeat(m_displays, name, m_captures, attached);
        RampTable table;
        if (!m_displays.Read(name, table) || table.Size() < 2) continue;
        m_captures.push_back({name, std::move(table), m_displays.Seat(name)});
        added = true;
    }
    return added;
}

bool DisplayCaptures::GiveBack() {
    const PutBack back = PutBackCaptured(m_displays, m_captures);
    if (m_journal) {
        if (back.owed.empty())
            m_journal->Clear();
        else
            m_journal->Record(back.owed);
    }
    return !back.refused;
}

const CapturedDisplay* DisplayCaptures::Of(const std::string& name) const {
    for (const CapturedDisplay& display : m_captures)
        if (display.name == name) return &display;
    return nullptr;
}

void DisplayCaptures::Sort(const std::vector<std::string>& attached, bool boosted) {
    for (const std::string& name : attached) {
        const DisplayFitness fitness = m_displays.Fitness(name);
        if (fitness == DisplayFitness::TakesRamp) {
            m_unfit.erase(name);
            continue;
        }
        const CapturedDisplay* captured = Of(name);
        if (!m_unfit.count(name) && captured && boosted)
            m_displays.Write(name, OriginalToPutBack(captured->table));  // HDR came on while boosted
        m_unfit[name] = fitness;
    }
}

void DisplayCaptures::Record() {
    if (m_journal && !m_journal->Record(m_captures)) m_recordFailed = true;
}

}  // namespace lumeq
