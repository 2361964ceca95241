#pragma once
// Capture and give-back: every display's own table, taken when the boost goes on (or what a
// record still owes it), which displays no ramp can brighten, and the tables put back when
// the boost goes off.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "gamma/engine_ports.h"
#include "gamma/ramps.h"

namespace lumeq {

class DisplayCaptures {
public:
    DisplayCaptures(DisplayRamp& displays, CaptureJournal* journal) : m_displays(displays), m_journal(journal) {}

    // Takes every attached display's table; a display a record still owes its own table is
    // given that one, never what it shows now (which may be a boost that could not be taken
    // back). The record is kept before anything is boosted. The primary display's table at
    // 256 entries (another attached display's where the primary gave none), or nothing when
    // no attached display gave one.
    std::optional<GammaRamp> Take();
    // Whether the last Take found a display's table to give back.
    bool HasReference() const { return m_hasReference; }
    // Takes the displays attached since the last look (and records them); true when one was added.
    bool TakeJoined(const std::vector<std::string>& attached);
    // Puts the tables back. The record goes only when every display has its own table back; a
    // display that refused it or is not attached stays owed in it. False when an attached
    // display refused its own table.
    bool GiveBack();

    const CapturedDisplay* Of(const std::string& name) const;
    bool IsUnfit(const std::string& name) const { return m_unfit.count(name) > 0; }
    // Asks each attached display what it can do now; one that can no longer be brightened
    // while `boosted` gets its own table back.
    void Sort(const std::vector<std::string>& attached, bool boosted);
    // The displays left at the player's own ramp because no ramp can brighten them (HDR, or
    // none taken at all), as last looked at.
    const std::map<std::string, DisplayFitness>& Unfit() const { return m_unfit; }
    // True when the record of the tables to give back could not be kept.
    bool RecordFailed() const { return m_recordFailed; }

private:
    bool TakeAttached(const std::vector<std::string>& attached);
    void Record();

    DisplayRamp& m_displays;
    CaptureJournal* m_journal;
    CapturedDisplays m_captures;  // every display's own table, by name (attached or owed)
    std::map<std::string, DisplayFitness> m_unfit;
    bool m_hasReference = false;
    bool m_recordFailed = false;
};

}  // namespace lumeq
