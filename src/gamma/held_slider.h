#pragma once
// A slider's state held in memory, by a trackbar's rules: the position always lies in the
// range. The level's store on Windows mirrors it on a trackbar.
#include <algorithm>

#include "gamma/engine_ports.h"

namespace lumeq {

class HeldSlider : public Slider {
public:
    HeldSlider(int minimum, int maximum, int position)
        : m_minimum(minimum), m_maximum(maximum), m_position(std::clamp(position, minimum, maximum)) {}

    void SetRangeMin(int minimum) override {
        m_minimum = minimum;
        m_position = std::max(m_position, m_minimum);
    }
    void SetRangeMax(int maximum) override {
        m_maximum = maximum;
        m_position = std::min(m_position, m_maximum);
    }
    void SetTickFrequency(int frequency) override { m_tickFrequency = frequency; }
    void SetPosition(int position) override { m_position = std::min(std::max(position, m_minimum), m_maximum); }
    int Position() const override { return m_position; }
    void Disable() override { m_enabled = false; }

    int Minimum() const { return m_minimum; }
    int Maximum() const { return m_maximum; }
    int TickFrequency() const { return m_tickFrequency; }
    bool Enabled() const { return m_enabled; }

private:
    int m_minimum;
    int m_maximum;
    int m_position;
    int m_tickFrequency = 1;
    bool m_enabled = true;
};

}  // namespace lumeq
