#include "app/hot_key_rules.h"

#include <algorithm>

namespace lumeq {

bool IsControlOnly(std::uint16_t state, std::uint16_t locks) {
    return (state & 0xFF & ~locks) == kControlMask;
}

std::vector<std::uint16_t> GrabModifiers(std::uint16_t locks) {
    std::vector<std::uint16_t> bits;
    for (std::uint16_t bit = 1; bit & 0xFF; bit = static_cast<std::uint16_t>(bit << 1))
        if ((locks & bit) && bit != kControlMask) bits.push_back(bit);
    std::vector<std::uint16_t> sets;
    for (std::size_t subset = 0; subset < (std::size_t{1} << bits.size()); ++subset) {
        std::uint16_t modifiers = kControlMask;
        for (std::size_t i = 0; i < bits.size(); ++i)
            if (subset & (std::size_t{1} << i)) modifiers = static_cast<std::uint16_t>(modifiers | bits[i]);
        sets.push_back(modifiers);
    }
    return sets;
}

std::uint16_t ModifierBitOf(const std::vector<std::uint8_t>& modifierMap, int perModifier,
                            const std::vector<std::uint8_t>& keycodes) {
    for (int modifier = 0; modifier < 8; ++modifier)
        for (int i = 0; i < perModifier; ++i) {
            const auto at = static_cast<std::size_t>(modifier * perModifier + i);
            if (at < modifierMap.size() && modifierMap[at] != 0 &&
                std::find(keycodes.begin(), keycodes.end(), modifierMap[at]) != keycodes.end())
                return static_cast<std::uint16_t>(1 << modifier);
        }
    return 0;
}

void HotKeyPresses::SetKeys(std::array<std::uint8_t, 4> fKeys, std::vector<std::uint8_t> controlKeys,
                            std::vector<std::uint8_t> otherModifierKeys) {
    m_fKeys = fKeys;
    m_controlKeys = std::move(controlKeys);
    m_otherKeys = std::move(otherModifierKeys);
}

std::optional<int> HotKeyPresses::HotKeyOf(std::uint8_t keycode) const {
    for (std::size_t id = 0; id < m_fKeys.size(); ++id)
        if (m_fKeys[id] != 0 && m_fKeys[id] == keycode) return static_cast<int>(id);
    return std::nullopt;
}

std::optional<int> HotKeyPresses::Grabbed(std::uint8_t keycode, std::uint32_t time) {
    const auto id = HotKeyOf(keycode);
    if (!id || m_lastActed == time) return std::nullopt;
    if (m_waiting && m_waiting->second == time) m_waiting.reset();
    m_lastActed = time;
    return id;
}

bool HotKeyPresses::RawPress(std::uint8_t keycode, std::uint32_t time) {
    auto heldAny = [&](const std::vector<std::uint8_t>& keys) {
        return std::any_of(keys.begin(), keys.end(), [&](std::uint8_t key) { return m_held.count(key) > 0; });
    };
    const auto id = HotKeyOf(keycode);
    if (!id) {
        m_held.insert(keycode);
        return false;
    }
    if (m_lastActed == time || !heldAny(m_controlKeys) || heldAny(m_otherKeys)) return false;
    m_waiting = std::make_pair(*id, time);
    return true;
}

void HotKeyPresses::RawRelease(std::uint8_t keycode) { m_held.erase(keycode); }

std::optional<int> HotKeyPresses::WaitOver() {
    if (!m_waiting) return std::nullopt;
    const auto [id, time] = *m_waiting;
    m_waiting.reset();
    if (m_lastActed == time) return std::nullopt;
    m_lastActed = time;
    return id;
}

}  // namespace lumeq
