#include "win32/trackbar_slider_win32.h"

#include <commctrl.h>

namespace lumeq {

void TrackbarSlider::Attach(HWND trackbar) {
    m_trackbar = trackbar;
    ShowLevel(m_shown);
}

int TrackbarSlider::OwnInput() const {
    return m_trackbar ? static_cast<int>(SendMessageW(m_trackbar, TBM_GETPOS, 0, 0)) : m_shown.level;
}

// The trackbar is never on screen, so it is never asked to draw itself again: that costs a
// call to the window system, in the middle of every hot-key step.
void TrackbarSlider::ShowLevel(const LevelState& level) {
    m_shown = level;
    if (!m_trackbar) return;
    SendMessageW(m_trackbar, TBM_SETRANGEMIN, FALSE, level.minimum);
    SendMessageW(m_trackbar, TBM_SETRANGEMAX, FALSE, level.maximum);
    SendMessageW(m_trackbar, TBM_SETTICFREQ, level.tickFrequency, 0);
    SendMessageW(m_trackbar, TBM_SETPOS, FALSE, level.level);
    EnableWindow(m_trackbar, level.enabled);
}

}  // namespace lumeq
