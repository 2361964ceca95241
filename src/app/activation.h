#pragma once
// The activation state as the window shows it: "Activar" and "Desactivar" in their order
// of steps (the strip of labels' colour, the boost session, BoostState, the ramp watch, the
// menu entries), the level's steps with their texts, and what the player is told.
#include <array>
#include <functional>
#include <string>

#include "autoactivation/auto_activation.h"
#include "gamma/boost_session.h"
#include "indicator/indicator_strip.h"
#include "platform/timers.h"
#include "ui/main_view.h"

namespace lumeq {

// What the main window shows of the on/off state: its captions' colour and which menu
// entries are enabled, in the order the activation commands set them.
inline constexpr Rgb kCaptionsOn{0x00, 0x00, 0x00};       // black
inline constexpr Rgb kCaptionsOff{0x80, 0x80, 0x80};      // grey
inline constexpr Rgb kCaptionsWarning{0xFF, 0x00, 0x00};  // red, the folder warning

struct MenuEntryState {
    Command command;
    bool enabled;
};

Rgb CaptionColour(bool on);

// The ten entries that follow activation, in the order activation and deactivation set them.
std::array<MenuEntryState, 10> MenuStates(bool on);

// The boost's state as its hidden field shows it.
inline const char* BoostStateText(bool on) { return on ? "True" : "False"; }

class Activation : public BoostSwitch {
public:
    Activation(MainView& main, Timers& timers, IndicatorStrip& strip, BoostSession& boost,
               std::string decimalSeparator)
        : m_main(main), m_timers(timers), m_strip(strip), m_boost(boost),
          m_decimalSeparator(std::move(decimalSeparator)) {}

    void SwitchOn();
    void SwitchOff();
    // The watcher's switch: on only where not on already.
    void TurnOn() override {
        if (!m_boost.IsOn()) SwitchOn();
    }
    void TurnOff() override { SwitchOff(); }
    void StepLevel(int step);
    // The player moved the level on a shell's slider.
    void OnSliderInput(int level);
    void OnDisplaysChanged();
    // RampWatch: the boosted ramp set again where it was replaced; `otherProgram` names who
    // keeps replacing it, asked only when the display is left to it.
    void RampWatch_Timer(const std::function<std::string()>& otherProgram);
    // A window took the foreground: while on, the ramp is looked at now and a few more times a
    // tenth of a second apart (a reset may come just after the window does).
    void OnForeground(const std::function<std::string()>& otherProgram);
    void ForegroundLook_Timer(const std::function<std::string()>& otherProgram);

private:
    void ShowLevel(int level);
    // The displays no ramp can brighten, each told once; `again` tells the first of them once
    // more when no display at all can be brightened (in place of a refusal at every step).
    void TellUnfit(bool again);
    void LookAfterForeground(bool tick, const std::function<std::string()>& otherProgram);

    MainView& m_main;
    Timers& m_timers;
    IndicatorStrip& m_strip;
    BoostSession& m_boost;
    std::string m_decimalSeparator;
    int m_foregroundLooks = 0;  // looks still to come after a window took the foreground
    bool m_pollingForeground = false;  // the shell can say which window has it: asked every look
    std::uintptr_t m_foreground = 0;
};

}  // namespace lumeq
