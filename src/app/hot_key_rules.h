#pragma once
// How the Linux edition judges a press of Ctrl+F1..F4 on X, whichever way it arrives:
// through its passive grabs, or as an XInput raw key while another client (a game that
// grabs the whole keyboard) holds the keyboard. Portable: X's modifier bits and key codes
// as plain numbers.
#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <vector>

namespace lumeq {

// X's modifier bits (the low byte of a key event's state).
inline constexpr std::uint16_t kShiftMask = 1 << 0, kLockMask = 1 << 1, kControlMask = 1 << 2;

// A press counts when Control is held and Shift, Alt and Super (every other modifier bit)
// are up, whatever the lock keys (`locks`: Lock, and the bits NumLock and ScrollLock are
// mapped to), the mouse buttons and the keyboard group show: as Windows' hot keys behave.
bool IsControlOnly(std::uint16_t state, std::uint16_t locks);

// Control with every combination of the lock bits: the grabs that make a key work
// whatever the lock lights show.
std::vector<std::uint16_t> GrabModifiers(std::uint16_t locks);

// The bit a modifier key is mapped to, from X's modifier map (8 rows of `perModifier`
// key codes: Shift, Lock, Control, Mod1..Mod5); 0 when it is mapped to none.
std::uint16_t ModifierBitOf(const std::vector<std::uint8_t>& modifierMap, int perModifier,
                            const std::vector<std::uint8_t>& keycodes);

// One press heard both ways acts once. A grabbed press acts at once; a raw press acts only
// when no grabbed press of the same moment (the server's time stamp) came by the time the
// shell's short wait is over, which is what happens while another client holds the keyboard.
// The modifier keys are followed from the raw keys, which carry no modifier state.
class HotKeyPresses {
public:
    // The key codes of F1..F4, of Control and of the other modifier keys (Shift, Alt, Super...).
    void SetKeys(std::array<std::uint8_t, 4> fKeys, std::vector<std::uint8_t> controlKeys,
                 std::vector<std::uint8_t> otherModifierKeys);

    // A press through our grab: the hot key to act on now, unless the same press acted already.
    std::optional<int> Grabbed(std::uint8_t keycode, std::uint32_t time);
    // A raw press or release. True when a raw press of a hot key now waits for the shell's short wait.
    bool RawPress(std::uint8_t keycode, std::uint32_t time);
    void RawRelease(std::uint8_t keycode);
    // The short wait is over: the raw press that no grabbed press matched.
    std::optional<int> WaitOver();

private:
    std::optional<int> HotKeyOf(std::uint8_t keycode) const;

    std::array<std::uint8_t, 4> m_fKeys{};
    std::vector<std::uint8_t> m_controlKeys;
    std::vector<std::uint8_t> m_otherKeys;
    std::set<std::uint8_t> m_held;
    std::optional<std::uint32_t> m_lastActed;  // the time stamp of the last press acted on
    std::optional<std::pair<int, std::uint32_t>> m_waiting;
};

}  // namespace lumeq
