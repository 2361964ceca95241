#pragma once
// Where the main window goes by the width of the screen, and the help texts.
#include <optional>
#include <string>
#include <string_view>

namespace lumeq {

struct TwipsPoint {
    int left = 0;
    int top = 0;
};

// The placement table, looked up by the screen width compared as text: "1024" gives
// (12800, 8500); widths that are not in the table give nothing (the window stays).
std::optional<TwipsPoint> PlacementForWidth(std::string_view width);

// The eleven lines of the information box, joined by line feeds (a shell writes them
// the way its platform breaks lines).
// With `hdr`, what a display in HDR means for the boost, and where Windows brightens it.
std::string InformationText(bool hdr = false);

// What a second copy says before it ends (both lines).
inline constexpr char kAlreadyRunningText[] = "El programa ya está en ejecución!\nAcción cancelada.";

// The product's web site, the same for every link.
inline constexpr char kSiteAddress[] = "https://lumeq.app/gamma";

}  // namespace lumeq
