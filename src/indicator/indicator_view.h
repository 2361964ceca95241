#pragma once
// The strip at the top of the screen, as the core sees it.
#include <string_view>

namespace lumeq {

class IndicatorView {
public:
    virtual ~IndicatorView() = default;
    // Shows the text at the top of the screen, above everything, without the focus.
    virtual void Show(std::string_view text) = 0;
    virtual void Hide() = 0;
};

}  // namespace lumeq
