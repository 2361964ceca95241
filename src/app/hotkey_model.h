#pragma once
// The global hot keys and what the dispatcher does with each.

namespace lumeq {

enum class HotKeyId : int { CtrlF1 = 0, CtrlF2 = 1, CtrlF3 = 2, CtrlF4 = 3 };
inline constexpr int kHotKeyCount = 4;

enum class HotKeyAction { None, Activate, Deactivate, Screenshot, StepDown, StepUp };

// Ctrl+F1 toggles; the other three act only while the boost is on; unknown ids do nothing.
HotKeyAction DecideHotKey(int id, bool on);

}  // namespace lumeq
