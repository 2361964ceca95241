#include "app/activation.h"

#include "indicator/indicator_strip.h"

namespace lumeq {

namespace {
constexpr unsigned kRampWatchMs = 1000;
constexpr unsigned kRearmMs = 500;
constexpr unsigned kForegroundLookMs = 100;
constexpr int kForegroundLooks = 5;  // half a second after the window came

Notice NoticeOf(DisplayFitness fitness) { return fitness == DisplayFitness::Hdr ? Notice::Hdr : Notice::NoRamp; }
}  // namespace

Rgb CaptionColour(bool on) { return on ? kCaptionsOn : kCaptionsOff; }

std::array<MenuEntryState, 10> MenuStates(bool on) {
    return {{
        {Command::BarSwitchOn, !on},
        {Command::BarSwitchOff, on},
        {Command::BarScreenshot, on},
        {Command::PopupScreenshot, on},
        {Command::PopupSwitchOff, on},
        {Command::PopupSwitchOn, !on},
        {Command::BarLevelUp, on},
        {Command::BarLevelDown, on},
        {Command::PopupLevelDown, on},
        {Command::PopupLevelUp, on},
    }};
}

void Activation::SwitchOn() {
    m_main.SetCaptionColour(CaptionColour(true));
    const BoostSession::Started started = m_boost.Start();
    // The mirror tells the state once the displays have it: the display calls may let
    // another program's request for the window's texts through before they return.
    m_main.SetField(Field::BoostState, BoostStateText(true));
    // While on, the displays are looked at once a second (a game may replace our ramp), and
    // again as a window takes the foreground.
    m_timers.Start(TimerId::RampWatch, kRampWatchMs);
    const std::optional<std::uintptr_t> foreground = m_main.ForegroundWindow();
    m_pollingForeground = foreground.has_value();
    m_foreground = foreground.value_or(0);
    if (m_pollingForeground) m_timers.Start(TimerId::ForegroundLook, kForegroundLookMs);
    for (const MenuEntryState& state : MenuStates(true)) m_main.SetMenuEntry(state.command, state.enabled);
    ShowLevel(m_boost.Level().level);
    // The player must know when the display would not take the level's ramp (or no ramp can
    // brighten it), and when a crash now could not be undone.
    TellUnfit(false);
    if (m_boost.NothingTakesRamps())
        TellUnfit(true);
    else if (started.refused)
        m_strip.Show(IndicatorText(LevelText(m_boost.Level().level, m_decimalSeparator), true));
    if (started.recordFailed) m_strip.Tell(Notice::RecordNotKept);
}

void Activation::SwitchOff() {
    m_main.SetCaptionColour(CaptionColour(false));
    if (!m_boost.Stop()) m_strip.Tell(Notice::RestoreFailed);
    m_main.SetField(Field::BoostState, BoostStateText(false));
    m_timers.Stop(TimerId::RampWatch);
    m_timers.Stop(TimerId::ForegroundLook);
    m_foregroundLooks = 0;
    m_pollingForeground = false;
    for (const MenuEntryState& state : MenuStates(false)) m_main.SetMenuEntry(state.command, state.enabled);
    // Every deactivation re-arms the watcher half a second later.
    m_timers.Start(TimerId::WatcherRearm, kRearmMs);
}

void Activation::ShowLevel(int level) {
    const std::string text = LevelText(level, m_decimalSeparator);
    m_main.SetField(Field::LevelBesideSlider, text);
    m_main.SetField(Field::LevelCaption, text);
}

void Activation::StepLevel(int step) {
    const StepOutcome outcome = m_boost.Step(step);
    ShowLevel(outcome.level);
    if (!outcome.rampAccepted && m_boost.NothingTakesRamps()) {
        TellUnfit(true);
        return;
    }
    m_strip.Show(IndicatorText(LevelText(outcome.level, m_decimalSeparator), !outcome.rampAccepted));
}

void Activation::OnSliderInput(int level) {
    m_boost.SetLevel(level);
    if (!m_boost.IsOn()) return;
    m_main.SetField(Field::LevelBesideSlider, LevelText(m_boost.Level().level, m_decimalSeparator));
}

void Activation::OnDisplaysChanged() {
    if (!m_boost.OnDisplaysChanged()) m_strip.Tell(Notice::RestoreFailed);
    TellUnfit(false);
}

void Activation::TellUnfit(bool again) {
    for (const auto& [name, fitness] : m_boost.TakeUnfitToTell()) m_strip.Tell(NoticeOf(fitness), name);
    if (!again) return;
    if (const auto first = m_boost.NothingTakesRamps()) m_strip.Show(NoticeText(NoticeOf(first->second), first->first));
}

void Activation::RampWatch_Timer(const std::function<std::string()>& otherProgram) {
    if (m_foregroundLooks > 0) {
        LookAfterForeground(true, otherProgram);
        return;
    }
    if (m_boost.WatchRamp().yielded) m_strip.Tell(Notice::OtherRamp, otherProgram());
}

void Activation::OnForeground(const std::function<std::string()>& otherProgram) {
    if (!m_boost.IsOn()) return;
    m_foregroundLooks = kForegroundLooks;
    LookAfterForeground(false, otherProgram);
    if (!m_pollingForeground) m_timers.Start(TimerId::ForegroundLook, kForegroundLookMs);
}

void Activation::ForegroundLook_Timer(const std::function<std::string()>& otherProgram) {
    if (m_pollingForeground) {
        const std::optional<std::uintptr_t> now = m_main.ForegroundWindow();
        if (now && *now != m_foreground) {
            m_foreground = *now;
            m_foregroundLooks = kForegroundLooks + 1;
        }
    }
    if (m_foregroundLooks > 0) {
        --m_foregroundLooks;
        LookAfterForeground(false, otherProgram);
    } else if (!m_pollingForeground) {
        m_timers.Stop(TimerId::ForegroundLook);
    }
}

void Activation::LookAfterForeground(bool tick, const std::function<std::string()>& otherProgram) {
    if (m_boost.WatchAfterForeground(tick).yielded) m_strip.Tell(Notice::OtherRamp, otherProgram());
}

}  // namespace lumeq
