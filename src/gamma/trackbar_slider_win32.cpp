#include "gamma/trackbar_slider_win32.h"

#include <commctrl.h>

#include <algorithm>

namespace lumeq {

void TrackbarSlider::Attach(HWND trackbar) {
    m_trackbar = trackbar;
    if (!m_trackbar) return;
    SendMessageW(m_trackbar, TBM_SETRANGEMIN, FALSE, m_minimum);
    SendMessageW(m_trackbar, TBM_SETRANGEMAX, FALSE, m_maximum);
    SendMessageW(m_trackbar, TBM_SETTICFREQ, m_tickFrequency, 0);
    SendMessageW(m_trackbar, TBM_SETPOS, TRUE, m_position);
    EnableWindow(m_trackbar, m_enabled);
}

void TrackbarSlider::OnOwnInput() {
    if (m_trackbar) m_position = static_cast<int>(SendMessageW(m_trackbar, TBM_GETPOS, 0, 0));
}

// A trackbar keeps its position inside its range, and so does the level held here.
void TrackbarSlider::SetRangeMin(int minimum) {
    m_minimum = minimum;
    m_position = std::max(m_position, m_minimum);
    if (m_trackbar) SendMessageW(m_trackbar, TBM_SETRANGEMIN, TRUE, minimum);
}

void TrackbarSlider::SetRangeMax(int maximum) {
    m_maximum = maximum;
    m_position = std::min(m_position, m_maximum);
    if (m_trackbar) SendMessageW(m_trackbar, TBM_SETRANGEMAX, TRUE, maximum);
}

void TrackbarSlider::SetTickFrequency(int frequency) {
    m_tickFrequency = frequency;
    if (m_trackbar) SendMessageW(m_trackbar, TBM_SETTICFREQ, frequency, 0);
}

void TrackbarSlider::SetPosition(int position) {
    m_position = std::min(std::max(position, m_minimum), m_maximum);
    // Never on screen, so its thumb is not drawn again: asking for that costs a call to
    // the window system in the middle of every hot-key step.
    if (m_trackbar) SendMessageW(m_trackbar, TBM_SETPOS, FALSE, m_position);
}

void TrackbarSlider::Disable() {
    m_enabled = false;
    if (m_trackbar) EnableWindow(m_trackbar, FALSE);
}

}  // namespace lumeq
