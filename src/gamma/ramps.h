#pragma once
// Gamma ramps and tables. A ramp is what the display driver takes at 256 entries a channel,
// with the maths that turns a gamma level into a ramp and a ramp back into a level. A table
// is a display's own, at the size its hardware has: 256 entries a channel on Windows; 256,
// 1024 or 4096 for X RandR CRTCs. A captured table is kept and put back exactly as the
// display gave it, so that switching the boost on and off never bends a player's
// calibration; the ramps the level maths builds are resampled to it.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace lumeq {


inline constexpr int kRampEntries = 256;
inline constexpr int kLevelMin = 33;
inline constexpr int kLevelMax = 47;
inline constexpr int kLevelNeutral = 40;  // neither brighter nor darker

// Three consecutive tables of 256 entries: red, green, blue (the 1536-byte buffer
// of GetDeviceGammaRamp / SetDeviceGammaRamp).
struct GammaRamp {
    std::array<std::uint16_t, 3 * kRampEntries> entries{};

    std::uint16_t& At(int channel, int i) { return entries[static_cast<std::size_t>(channel * kRampEntries + i)]; }
    std::uint16_t At(int channel, int i) const { return entries[static_cast<std::size_t>(channel * kRampEntries + i)]; }
    bool operator==(const GammaRamp&) const = default;
};

// (50 - level) / 10.01: below 1 brightens, above 1 darkens.
double ExponentOfLevel(int level);

// Entry i of every channel: ((i + 1) / 256.01)^exponent * 65535 + 0.5, rounded half
// to even, low 16 bits kept. An exponent of 0 or below wraps to nonsense; see IsSafeRamp.
GammaRamp BuildRamp(double exponent);

// Inverts BuildRamp for the red channel: every level 33..47 comes back unchanged.
std::int16_t EstimateLevel(const GammaRamp& ramp);

// entry i = i * 257 in all three channels.
GammaRamp IdentityRamp();

// True when every channel is non-decreasing and not flat: the only ramps we allow
// onto a display. An all-zero ramp (level 50) would black the screen out, a wrapped
// one (levels above 50) would scramble it.
bool IsSafeRamp(const GammaRamp& ramp);

bool IsAllZero(const GammaRamp& ramp);


// The largest table we take from a display or a record.
inline constexpr int kMaxTableEntries = 16384;

struct RampTable {
    std::vector<std::uint16_t> entries;  // red, then green, then blue

    RampTable() = default;
    // `size` entries a channel, all zero.
    explicit RampTable(int size) : entries(static_cast<std::size_t>(size > 0 ? size : 0) * 3) {}
    int Size() const { return static_cast<int>(entries.size() / 3); }
    std::uint16_t& At(int channel, int i) { return entries[static_cast<std::size_t>(channel * Size() + i)]; }
    std::uint16_t At(int channel, int i) const { return entries[static_cast<std::size_t>(channel * Size() + i)]; }
    bool operator==(const RampTable&) const = default;
};

// A 256-entry ramp at `size` entries a channel, by straight lines between its entries;
// exact at 256, and the first and last entries are always kept.
RampTable TableOf(const GammaRamp& ramp, int size = kRampEntries);
// A table back at 256 entries: the entry nearest each of the 256 (exact at 256).
GammaRamp RampOf(const RampTable& table);
// The same table at another size (exact when the size is its own).
RampTable Resized(const RampTable& table, int size);

// entry i = i * 65535 / (size - 1): the straight line.
RampTable IdentityTable(int size);
bool IsAllZero(const RampTable& table);

// True when `actual` is what was set, give or take the 8 bits that displays keep.
bool TablesMatch(const RampTable& actual, const RampTable& expected);

// Whether a table can be a display's own ramp, as a record kept on disk must hold before
// it is put on a display: every channel rises (a dip of a few steps is noise), starts in
// its lower half and ends above where it starts, and the brightest channel ends above a
// sixteenth (a warm night light ends blue near zero, a dimmed screen every channel at a
// tenth). An all-black, all-white or inverted table is not, nor one of another size than a
// display could have. An all-zero table (Xvfb reports one) counts as the straight line and
// is plausible.
bool IsPlausibleOriginal(const RampTable& table);

// One of our own boosted ramps (any level but the neutral one), at the table's size: a
// display that shows one when its ramp is captured was left boosted by us.
bool IsBoostTable(const RampTable& table);

// What goes back on a display for a captured table: the table itself, or the straight line
// where the table is all zero (some drivers report one) or one of our own boosted ramps
// (the one case where the "original" surely is ours, never the player's).
RampTable OriginalToPutBack(const RampTable& table);

// A display's table as it was before the boost, kept to be put back. Displays are told
// apart by their name, never by their place in an enumeration: monitors come and go while
// a game runs.
struct CapturedDisplay {
    std::string name;
    RampTable table;
    // Where the table lives when displays share hardware over time (an X CRTC, which keeps
    // its ramp when its output leaves); empty where each display has its own.
    std::string seat;
    // Records written before displays had names knew them only by their place in the
    // enumeration; -1 for every named display.
    int position = -1;
};
using CapturedDisplays = std::vector<CapturedDisplay>;

}  // namespace lumeq
