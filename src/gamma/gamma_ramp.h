#pragma once
// Gamma ramps as the display driver takes them, and the maths that turns a gamma
// level into a ramp and a ramp back into a level.
#include <array>
#include <cstdint>

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

}  // namespace lumeq
