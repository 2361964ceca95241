#pragma once
#include <windows.h>

#include "gamma/held_slider.h"

namespace lumeq {

// The level slider: the level, held here and mirrored on a real trackbar kept outside the
// visible client area. The trackbar is made once the window shows; until then, and
// between its own moves, the level is read from here, never asked of the control.
class TrackbarSlider : public HeldSlider {
public:
    // The level until the first capture: 40 of 0..50.
    TrackbarSlider() : HeldSlider(0, 50, 40) {}
    // The trackbar takes what is held so far.
    void Attach(HWND trackbar);
    HWND Handle() const { return m_trackbar; }
    // The trackbar moved by its own input (keys, mouse).
    void OnOwnInput();

    void SetRangeMin(int minimum) override;
    void SetRangeMax(int maximum) override;
    void SetTickFrequency(int frequency) override;
    void SetPosition(int position) override;
    void Disable() override;

private:
    HWND m_trackbar = nullptr;
};

}  // namespace lumeq
