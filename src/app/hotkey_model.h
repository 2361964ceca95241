#pragma once
// The global hot keys and what the dispatcher does with each.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace lumeq {

enum class HotKeyId : int { CtrlF1 = 0, CtrlF2 = 1, CtrlF3 = 2, CtrlF4 = 3 };
inline constexpr int kHotKeyCount = 4;

// What the player is told when another program or the desktop holds some of the keys
// (KDE Plasma binds Ctrl+F1..F4 to its desktops, Xfce Ctrl+F1..F12): which ones, and how
// to free them. Empty when every key is ours.
std::string TakenKeysText(const std::array<bool, kHotKeyCount>& registered);

// The control commands that stand for the hot keys where the desktop binds keys itself
// (sway, Hyprland, niri...): "toggle" Ctrl+F1, "screenshot" Ctrl+F2, "down" Ctrl+F3, "up"
// Ctrl+F4; nothing for any other word.
std::optional<HotKeyId> ControlCommandKey(std::string_view word);

// The four keys as a desktop's global shortcuts portal is asked for them: the command word
// as the shortcut's id, what it does in the desktop's settings, and the key it would like.
struct PortalShortcut {
    const char* id;
    const char* description;
    const char* trigger;
};
inline constexpr std::array<PortalShortcut, kHotKeyCount> kPortalShortcuts{{
    {"toggle", "Activar o desactivar lumeq gamma", "CTRL+F1"},
    {"screenshot", "Capturar la pantalla", "CTRL+F2"},
    {"down", "Bajar la gamma", "CTRL+F3"},
    {"up", "Subir la gamma", "CTRL+F4"},
}};
// What the player is told, once, where the desktop gives no global shortcuts (no portal, or
// it refused): the keys work only over X11 windows, and the commands to bind instead.
std::string NoGlobalShortcutsText();

}  // namespace lumeq
