#pragma once
#include <windows.h>

#include "gamma/engine_ports.h"

namespace lumeq {

// SliderGamma: the level, held here and mirrored on a real trackbar kept outside the
// visible client area. The trackbar is made once the window shows; until then, and
// between its own moves, the level is read from here, never asked of the control.
class TrackbarSlider : public Slider {
public:
    // The trackbar takes what is held so far.
    void Attach(HWND trackbar);
    HWND Handle() const { return m_trackbar; }
    // The trackbar moved by its own input (keys, mouse).
    void OnOwnInput();

    void SetRangeMin(int minimum) override;
    void SetRangeMax(int maximum) override;
    void SetTickFrequency(int frequency) override;
    void SetPosition(int position) override;
    int Position() const override { return m_position; }
    void Disable() override;

private:
    HWND m_trackbar = nullptr;
    int m_minimum = 0;
    int m_maximum = 100;  // a new trackbar's range
    int m_position = 0;
    int m_tickFrequency = 1;
    bool m_enabled = true;
};

}  // namespace lumeq
