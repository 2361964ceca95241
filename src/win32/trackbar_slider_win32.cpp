#include "win32/trackbar_slider_win32.h"

#include <commctrl.h>

namespace lumeq {

// The trackbar is never on screen, so it is never asked to draw itself again: that costs a
// call to the window system, in the middle of every hot-key step.
void TrackbarSlider::Attach(HWND trackbar) {
    m_trackbar = trackbar;
    if (!m_trackbar) return;
    SendMessageW(m_trackbar, TBM_SETRANGEMIN, FALSE, Minimum());
    SendMessageW(m_trackbar, TBM_SETRANGEMAX, FALSE, Maximum());
    SendMessageW(m_trackbar, TBM_SETTICFREQ, TickFrequency(), 0);
    SendMessageW(m_trackbar, TBM_SETPOS, FALSE, Position());
    EnableWindow(m_trackbar, Enabled());
}

void TrackbarSlider::OnOwnInput() {
    if (m_trackbar) HeldSlider::SetPosition(static_cast<int>(SendMessageW(m_trackbar, TBM_GETPOS, 0, 0)));
}

void TrackbarSlider::SetRangeMin(int minimum) {
    HeldSlider::SetRangeMin(minimum);
    if (m_trackbar) SendMessageW(m_trackbar, TBM_SETRANGEMIN, FALSE, minimum);
}

void TrackbarSlider::SetRangeMax(int maximum) {
    HeldSlider::SetRangeMax(maximum);
    if (m_trackbar) SendMessageW(m_trackbar, TBM_SETRANGEMAX, FALSE, maximum);
}

void TrackbarSlider::SetTickFrequency(int frequency) {
    HeldSlider::SetTickFrequency(frequency);
    if (m_trackbar) SendMessageW(m_trackbar, TBM_SETTICFREQ, frequency, 0);
}

void TrackbarSlider::SetPosition(int position) {
    HeldSlider::SetPosition(position);
    if (m_trackbar) SendMessageW(m_trackbar, TBM_SETPOS, FALSE, Position());
}

void TrackbarSlider::Disable() {
    HeldSlider::Disable();
    if (m_trackbar) EnableWindow(m_trackbar, FALSE);
}

}  // namespace lumeq
