#include "gamma/gamma_config.h"

#include "gamma/stored_level.h"

namespace lumeq {

bool ApplyGammaExponent(DisplayRamp& display, double exponent) {
    const GammaRamp ramp = BuildRamp(exponent);
    if (!IsSafeRamp(ramp)) return false;
    return display.Write(ramp);
}

GammaConfig::~GammaConfig() {
    SaveLevel();
    RestoreCapturedRamp();
}

void GammaConfig::Initialize(Slider& slider) {
    m_GammaConfig = &slider;
    if (!m_display.Read(m_CapturedRamp)) {
        m_captured = false;
        slider.Disable();
        return;
    }
    m_captured = true;
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
    m_display.Write(IsAllZero(m_CapturedRamp) ? IdentityRamp() : m_CapturedRamp);
}

bool GammaConfig::ApplyLevel(int level) {
    // Without a captured ramp a boosted ramp could never be taken back again.
    const bool accepted = m_captured && ApplyGammaExponent(m_display, ExponentOfLevel(level));
    m_lastRampRefused = !accepted;
    return accepted;
}

void GammaConfig::OnSliderInput() {
    if (m_GammaConfig) ApplyLevel(m_GammaConfig->Position());
}

}  // namespace lumeq
