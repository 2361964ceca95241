#pragma once
// The level's store, a slider as on Windows, never shown: the level is stepped with
// the keys and the menus.
#include <QSlider>

#include "gamma/engine_ports.h"

namespace lumeq {

class SliderGamma : public Slider {
public:
    SliderGamma() {
        m_slider.setObjectName("SliderGamma");
        m_slider.setRange(0, 50);
        m_slider.setValue(40);
    }
    void SetRangeMin(int minimum) override { m_slider.setMinimum(minimum); }
    void SetRangeMax(int maximum) override { m_slider.setMaximum(maximum); }
    void SetTickFrequency(int frequency) override { m_slider.setTickInterval(frequency); }
    void SetPosition(int position) override { m_slider.setValue(position); }
    int Position() const override { return m_slider.value(); }
    void Disable() override { m_slider.setEnabled(false); }

private:
    QSlider m_slider{Qt::Horizontal};
};

}  // namespace lumeq
