#include "gamma/gamma_config.h"

#include <cstdlib>

#include "gamma/stored_level.h"

namespace lumeq {

bool ApplyGammaExponent(DisplayRamp& display, double exponent) {
    const GammaRamp ramp = BuildRamp(exponent);
    if (!IsSafeRamp(ramp)) return false;
    bool accepted = true;
    for (int i = 0, count = display.Count(); i < count; ++i) accepted = display.Write(i, ramp) && accepted;
    return accepted;
}

bool RampsMatch(const GammaRamp& actual, const GammaRamp& expected) {
    for (std::size_t i = 0; i < actual.entries.size(); ++i)
        if (std::abs(static_cast<int>(actual.entries[i]) - static_cast<int>(expected.entries[i])) > 256) return false;
    return true;
}

GammaConfig::~GammaConfig() {
    SaveLevel();
    RestoreCapturedRamp();
}

void GammaConfig::Initialize(Slider& slider) {
    m_GammaConfig = &slider;
    const int count = m_display.Count();
    m_captures.assign(static_cast<std::size_t>(count), std::nullopt);
    for (int i = 0; i < count; ++i) {
        GammaRamp ramp;
        if (m_display.Read(i, ramp)) m_captures[static_cast<std::size_t>(i)] = ramp;
    }
    const int primary = m_display.Primary();
    std::optional<GammaRamp> reference;
    if (primary >= 0 && primary < count) reference = m_captures[static_cast<std::size_t>(primary)];
    for (std::size_t i = 0; !reference && i < m_captures.size(); ++i) reference = m_captures[i];
    if (!reference) {
        m_captured = false;
        slider.Disable();
        return;
    }
    m_CapturedRamp = *reference;
    m_captured = true;
    // Kept before the first boosted ramp reaches a display, so that a crash cannot lose it.
    if (m_journal) m_journal->Record(m_captures);
    slider.SetRangeMin(kLevelMin);
    slider.SetRangeMax(kLevelMax);
    slider.SetTickFrequency(5);
    LoadLevel();
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
    if (!m_GammaConfig) return;
    m_store.Write(FormatStoredLevel(m_GammaConfig->Position()));
}

void GammaConfig::RestoreCapturedRamp() {
    // A failed capture left nothing to put back; a driver that handed us an all-zero
    // ramp would black the screen out if we "restored" it, so the plain linear ramp
    // stands in for it.
    if (!m_captured) return;
    for (std::size_t i = 0; i < m_captures.size(); ++i) {
        if (!m_captures[i]) continue;
        const GammaRamp& captured = *m_captures[i];
        m_display.Write(static_cast<int>(i), IsAllZero(captured) ? IdentityRamp() : captured);
    }
    m_applied.reset();
    if (m_journal) m_journal->Clear();
}

bool GammaConfig::ApplyLevel(int level) {
    // Without a captured ramp a boosted ramp could never be taken back again.
    const GammaRamp ramp = BuildRamp(ExponentOfLevel(level));
    bool accepted = m_captured && IsSafeRamp(ramp);
    if (accepted) {
        for (std::size_t i = 0; i < m_captures.size(); ++i)
            if (m_captures[i]) accepted = m_display.Write(static_cast<int>(i), ramp) && accepted;
    }
    m_lastRampRefused = !accepted;
    if (accepted)
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
    if (!m_captured || m_lastRampRefused || !m_applied) return false;
    bool reapplied = false;
    for (std::size_t i = 0; i < m_captures.size() && i < static_cast<std::size_t>(m_display.Count()); ++i) {
        GammaRamp actual;
        if (!m_captures[i] || !m_display.Read(static_cast<int>(i), actual) || RampsMatch(actual, *m_applied)) continue;
        m_display.Write(static_cast<int>(i), *m_applied);
        reapplied = true;
    }
    return reapplied;
}

}  // namespace lumeq
