#pragma once
// The global hot keys and what the dispatcher does with each.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace lumeq {

enum class HotKeyId : int { CtrlF1 = 0, CtrlF2 = 1, CtrlF3 = 2, CtrlF4 = 3 };
inline constexpr int kHotKeyCount = 4;

enum class HotKeyAction { None, Activate, Deactivate, Screenshot, StepDown, StepUp };

// Ctrl+F1 toggles; the other three act only while the boost is on; unknown ids do nothing.
HotKeyAction DecideHotKey(int id, bool on);

// What the player is told when another program or the desktop holds some of the keys
// (KDE Plasma binds Ctrl+F1..F4 to its desktops, Xfce Ctrl+F1..F12): which ones, and how
// to free them. Empty when every key is ours.
std::string TakenKeysText(const std::array<bool, kHotKeyCount>& registered);

// The control commands that stand for the hot keys where the desktop binds keys itself
// (sway, Hyprland, niri...): "toggle" Ctrl+F1, "screenshot" Ctrl+F2, "down" Ctrl+F3, "up"
// Ctrl+F4; nothing for any other word.
std::optional<HotKeyId> ControlCommandKey(std::string_view word);

}  // namespace lumeq
