#pragma once
// The strip at the top of the screen, as the core sees it.
#include <string_view>

namespace lumeq {

class IndicatorView {
public:
    virtual ~IndicatorView() = default;
    // Shows the text at the top of the screen, hidden again 8 s after the last one.
    virtual void ShowText(std::string_view text) = 0;
};

}  // namespace lumeq
