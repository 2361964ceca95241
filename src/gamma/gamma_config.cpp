#include "gamma/gamma_config.h"

#include <algorithm>
#include <cstdlib>

#include "gamma/stored_level.h"

namespace lumeq {

bool RampsMatch(const GammaRamp& actual, const GammaRamp& expected) {
    for (std::size_t i = 0; i < actual.entries.size(); ++i)
        if (std::abs(static_cast<int>(actual.entries[i]) - static_cast<int>(expected.entries[i])) > 256) return false;
    return true;
}

bool PutBackCaptured(DisplayRamp& displays, const CapturedDisplays& captured) {
    const std::vector<std::string> attached = displays.Names();
    bool allTaken = true;
    for (const CapturedDisplay& display : captured) {
        std::string name = display.name;
        if (name.empty() && display.position >= 0 && display.position < static_cast<int>(attached.size()))
            name = attached[static_cast<std::size_t>(display.position)];
        if (std::find(attached.begin(), attached.end(), name) == attached.end()) continue;  // gone
        const GammaRamp& ramp = IsAllZero(display.ramp) ? IdentityRamp() : display.ramp;
        allTaken = displays.Write(name, ramp) && allTaken;
    }
    return allTaken;
}

GammaConfig::~GammaConfig() {
    if (!m_released) Release();
}

void GammaConfig::Initialize(Slider& slider) {
    m_GammaConfig = &slider;
    m_captures.clear();
    CaptureNewDisplays(m_display.Names());
    const GammaRamp* reference = CaptureOf(m_display.Primary());
    if (!reference && !m_captures.empty()) reference = &m_captures.front().ramp;
    if (!reference) {
        m_captured = false;
        slider.Disable();
        return;
    }
    m_CapturedRamp = *reference;
    m_captured = true;
    // Kept before the first boosted ramp reaches a display, so that a crash cannot lose it.
    Journal();
    slider.SetRangeMin(kLevelMin);
    slider.SetRangeMax(kLevelMax);
    slider.SetTickFrequency(5);
    LoadLevel();
}

bool GammaConfig::Release() {
    m_released = true;
    if (!m_captured) return true;  // nothing was captured, so nothing was changed
    SaveLevel();
    const bool allTaken = PutBackCaptured(m_display, m_captures);
    m_applied.reset();
    if (allTaken && m_journal) m_journal->Clear();
    return allTaken;
}

std::int16_t GammaConfig::EstimateLevel() const { return lumeq::EstimateLevel(m_CapturedRamp); }

void GammaConfig::LoadLevel() {
    const std::int16_t estimate = EstimateLevel();
    std::optional<std::int16_t> stored;
    if (const auto text = m_store.Read()) stored = ParseStoredLevel(*text);
    const int level = LevelToLoad(stored, estimate);
    if (m_GammaConfig) m_GammaConfig->SetPosition(level);
    ApplyLevel(level);
}

void GammaConfig::SaveLevel() {
    if (!m_GammaConfig || !m_captured) return;
    m_store.Write(FormatStoredLevel(m_GammaConfig->Position()));
}

const GammaRamp* GammaConfig::CaptureOf(const std::string& name) const {
    for (const CapturedDisplay& display : m_captures)
        if (display.name == name) return &display.ramp;
    return nullptr;
}

bool GammaConfig::CaptureNewDisplays(const std::vector<std::string>& attached) {
    bool added = false;
    for (const std::string& name : attached) {
        if (CaptureOf(name)) continue;
        GammaRamp ramp;
        if (!m_display.Read(name, ramp)) continue;
        m_captures.push_back({name, ramp});
        added = true;
    }
    return added;
}

void GammaConfig::Journal() {
    if (m_journal) m_journal->Record(m_captures);
}

bool GammaConfig::ApplyLevel(int level) {
    // Without a captured ramp a boosted ramp could never be taken back again.
    const GammaRamp ramp = BuildRamp(ExponentOfLevel(level));
    bool accepted = m_captured && IsSafeRamp(ramp);
    if (accepted) {
        const std::vector<std::string> attached = m_display.Names();
        if (CaptureNewDisplays(attached)) Journal();
        for (const std::string& name : attached) {
            if (!CaptureOf(name)) continue;
            if (m_display.Write(name, ramp)) {
                m_refused.erase(name);
            } else {
                m_refused.insert(name);
                accepted = false;
            }
        }
    }
    m_lastRampRefused = !accepted;
    if (m_captured && IsSafeRamp(ramp))
        m_applied = ramp;
    else
        m_applied.reset();
    return accepted;
}

void GammaConfig::OnSliderInput() {
    if (m_GammaConfig) ApplyLevel(m_GammaConfig->Position());
}

void GammaConfig::ReapplyLevel() {
    if (m_captured && !m_lastRampRefused && m_GammaConfig) ApplyLevel(m_GammaConfig->Position());
}

bool GammaConfig::ReapplyIfReplaced() {
    if (!m_captured || !m_applied) return false;
    const std::vector<std::string> attached = m_display.Names();
    bool reapplied = false;
    const std::size_t known = m_captures.size();
    if (CaptureNewDisplays(attached)) Journal();
    for (const std::string& name : attached) {
        const auto captured = std::find_if(m_captures.begin(), m_captures.end(),
                                           [&](const CapturedDisplay& display) { return display.name == name; });
        if (captured == m_captures.end() || m_refused.count(name)) continue;
        const bool joined = static_cast<std::size_t>(captured - m_captures.begin()) >= known;
        GammaRamp actual;
        if (!joined && (!m_display.Read(name, actual) || RampsMatch(actual, *m_applied))) continue;
        if (!m_display.Write(name, *m_applied)) {
            m_refused.insert(name);
            m_lastRampRefused = true;
            continue;
        }
        reapplied = true;
    }
    return reapplied;
}

}  // namespace lumeq
