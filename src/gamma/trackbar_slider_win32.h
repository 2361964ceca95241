#pragma once
#include <windows.h>

#include "gamma/engine_ports.h"

namespace lumeq {

// SliderGamma: a real trackbar, kept outside the visible client area, holding the level.
class TrackbarSlider : public Slider {
public:
    void Attach(HWND trackbar) { m_trackbar = trackbar; }
    HWND Handle() const { return m_trackbar; }

    void SetRangeMin(int minimum) override;
    void SetRangeMax(int maximum) override;
    void SetTickFrequency(int frequency) override;
    void SetPosition(int position) override;
    int Position() const override;
    void Disable() override;

private:
    HWND m_trackbar = nullptr;
};

}  // namespace lumeq
