#include "indicator/indicator_text.h"

namespace lumeq {

std::string IndicatorText(std::string_view levelText, bool refused) {
    std::string text = refused ? "lumeq Gamma      La pantalla no acepta " : "lumeq Gamma      La gamma actual es ";
    text += levelText;
    return text;
}

std::string RestoreFailedText() { return "lumeq Gamma      La pantalla no recuperó su gamma"; }

std::uint32_t IndicatorPanelPixel(int x, int y, int width, int height) {
    if (x == 0 && y == 0) return 0x9F9F9F;
    if (x == width - 1 || y == height - 1) return 0x282E22;
    if (x == 0 || y == 0) return 0x889180;
    return 0x4C5844;
}

}  // namespace lumeq
