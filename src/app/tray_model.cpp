#include "app/tray_model.h"

#include <string_view>

namespace lumeq {

TrayReaction ReactToTrayEvent(TrayEvent event, bool shown) {
    TrayReaction reaction;
    switch (event) {
        case TrayEvent::MouseMove:
            reaction.showWindow = shown;
            break;
        case TrayEvent::DoubleClick:
            reaction.showWindow = true;
            if (!shown) {
                reaction.startShowAgain = true;
                reaction.shownFromIcon = true;
            } else {
                reaction.shownFromIcon = false;
                reaction.hideWindow = true;
            }
            break;
        case TrayEvent::ContextMenu:
            reaction.openPopup = true;
            break;
        case TrayEvent::Click:
        case TrayEvent::Other:
            break;
    }
    return reaction;
}

std::array<char16_t, 64> TrayTip() {
    std::array<char16_t, 64> tip;
    tip.fill(u' ');
    const std::u16string_view text = u"lumeq gamma";
    for (std::size_t i = 0; i < text.size(); ++i) tip[i] = text[i];
    tip[text.size()] = u'\0';
    return tip;
}

}  // namespace lumeq
