#pragma once
// The strip, whatever window shows it: its texts (the level's, the notices), its look, the
// same in both editions, and its behaviour: each text stays 8 s after the last one, and a
// notice is told once a run.
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "indicator/indicator_view.h"
#include "platform/timers.h"

namespace lumeq {

// "lumeq Gamma      La gamma actual es 7.00", or "... La pantalla no acepta 7.00"
// when the display refused the level's ramp.
std::string IndicatorText(std::string_view levelText, bool refused);

// What the player is told once in the strip, when it happens.
enum class Notice {
    RestoreFailed,  // a display refused the ramp it had before the boost
    RecordDropped,  // a kept record of ramps to give back held none a display could have
    RecordNotKept,  // the ramps to give back could not be kept: a crash could not be undone
    OtherRamp,      // another program keeps setting its own ramp: the boost gives way to it
    SettingsNotSaved,  // the settings file could not be written (what the player confirmed is lost)
    OutputHeld,     // an output refuses us its gamma (another program holds it, or it has none): not boosted
    Hdr,            // a display in HDR: a ramp cannot brighten it, so it keeps the player's own
    NoRamp,         // a display that takes no ramp at all (a basic or virtual adapter, a remote session)
};
// "lumeq Gamma      La pantalla no recuperó su gamma", ...; `who` names the other program.
std::string NoticeText(Notice notice, std::string_view who = {});

// The strip's look, the same in both editions: its text's colour and size (8.25 pt, in
// "Microsoft Sans Serif" where there is one), its size and place from LayOutStrip.
inline constexpr std::uint32_t kStripTextColour = 0xE0E0E0;
inline constexpr double kStripFontPoints = 8.25;

// The strip's raised-panel picture, 0x00RRGGBB for the pixel at (x, y) of a
// width x height strip.
std::uint32_t IndicatorPanelPixel(int x, int y, int width, int height);

class IndicatorStrip {
public:
    IndicatorStrip(IndicatorView& view, Timers& timers) : m_view(view), m_timers(timers) {}

    // btAumentar / btDisminuir: the text shown, and StripHide counts 8 s afresh.
    void Show(std::string_view text);
    // StripHide: hidden, and the timer stops until the next text.
    void OnStripHide();

    // A notice, told once a run; `silently`: the shell told it its own way already.
    void Tell(Notice notice, std::string_view detail = {}, bool silently = false);
    bool Told(Notice notice) const { return m_told.count(notice) > 0; }

private:
    IndicatorView& m_view;
    Timers& m_timers;
    std::set<Notice> m_told;
};

}  // namespace lumeq
