#include "app/activation.h"

#include "app/activation_model.h"
#include "gamma/level_text.h"

namespace lumeq {

namespace {
constexpr unsigned kRampWatchMs = 1000;
constexpr unsigned kRearmMs = 500;
}  // namespace

void Activation::btActivar_Click() {
    m_main.SetStripColour(StripColour(true));
    const BoostSession::Started started = m_boost.Start();
    // The mirror tells the state once the displays have it: the display calls may let
    // another program's request for the window's texts through before they return.
    m_main.SetField(Field::estadoTxt, EstadoText(true));
    // While on, the displays are looked at once a second (a game may replace our ramp).
    m_timers.Start(TimerId::RampWatch, kRampWatchMs);
    for (const MenuEntryState& state : MenuStates(true)) m_main.SetMenuEntry(state.command, state.enabled);
    ShowLevel(m_slider.Position());
    // The player must know when the display would not take the level's ramp, and when a
    // crash now could not be undone.
    if (started.refused) m_strip.Show(IndicatorText(LevelText(m_slider.Position(), m_decimalSeparator), true));
    if (started.recordFailed) m_strip.Tell(Notice::RecordNotKept);
}

void Activation::btDesactivar_Click() {
    m_main.SetStripColour(StripColour(false));
    if (!m_boost.Stop()) m_strip.Tell(Notice::RestoreFailed);
    m_main.SetField(Field::estadoTxt, EstadoText(false));
    m_timers.Stop(TimerId::RampWatch);
    for (const MenuEntryState& state : MenuStates(false)) m_main.SetMenuEntry(state.command, state.enabled);
    // Every deactivation re-arms the watcher half a second later.
    m_timers.Start(TimerId::TimerReset, kRearmMs);
}

void Activation::ShowLevel(int level) {
    const std::string text = LevelText(level, m_decimalSeparator);
    m_main.SetField(Field::estado_txt, text);
    m_main.SetField(Field::LbIndicador, text);
}

void Activation::StepLevel(int step) {
    const StepOutcome outcome = m_boost.Step(step);
    ShowLevel(outcome.level);
    m_strip.Show(IndicatorText(LevelText(outcome.level, m_decimalSeparator), !outcome.rampAccepted));
}

void Activation::OnSliderInput() {
    if (!m_boost.IsOn()) return;
    m_boost.OnSliderInput();
    m_main.SetField(Field::estado_txt, LevelText(m_slider.Position(), m_decimalSeparator));
}

void Activation::OnDisplaysChanged() {
    if (!m_boost.OnDisplaysChanged()) m_strip.Tell(Notice::RestoreFailed);
}

void Activation::RampWatch_Timer(const std::function<std::string()>& otherProgram) {
    if (m_boost.WatchRamp()) m_strip.Tell(Notice::OtherRamp, otherProgram());
}

}  // namespace lumeq
