#pragma once
#include <windows.h>

#include "gamma/engine_ports.h"

namespace lumeq {

// The level slider: a real trackbar kept outside the visible client area that shows the
// level the core holds. The trackbar is made once the window shows; until then what it is to
// show is kept here.
class TrackbarSlider : public LevelView {
public:
    // The trackbar takes what it is to show so far.
    void Attach(HWND trackbar);
    HWND Handle() const { return m_trackbar; }
    // The position the trackbar's own input (keys, mouse) moved it to.
    int OwnInput() const;

    void ShowLevel(const LevelState& level) override;

private:
    HWND m_trackbar = nullptr;
    LevelState m_shown;
};

}  // namespace lumeq
