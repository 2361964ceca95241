#pragma once
// What the Linux edition reads of the X screen itself: the whole root window (every
// monitor, as the system's Print Screen copies it) and where the active window lies.
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

struct _XDisplay;

namespace lumeq {

struct RootPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0xFFRRGGBB, rows from the top
};
// The root window whole; nothing when the server would not give it.
std::optional<RootPicture> GrabRoot(_XDisplay* display);

// The middle of the active window (the window manager's _NET_ACTIVE_WINDOW) on the root
// window; nothing without one.
std::optional<std::pair<int, int>> ActiveWindowCentre(_XDisplay* display);

}  // namespace lumeq
