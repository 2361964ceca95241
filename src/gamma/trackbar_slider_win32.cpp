#include "gamma/trackbar_slider_win32.h"

#include <commctrl.h>

namespace lumeq {

void TrackbarSlider::SetRangeMin(int minimum) { SendMessageW(m_trackbar, TBM_SETRANGEMIN, TRUE, minimum); }
void TrackbarSlider::SetRangeMax(int maximum) { SendMessageW(m_trackbar, TBM_SETRANGEMAX, TRUE, maximum); }
void TrackbarSlider::SetTickFrequency(int frequency) { SendMessageW(m_trackbar, TBM_SETTICFREQ, frequency, 0); }
// The trackbar is never on screen, so its thumb is not drawn again: asking for that costs
// a call to the window system in the middle of every hot-key step.
void TrackbarSlider::SetPosition(int position) { SendMessageW(m_trackbar, TBM_SETPOS, FALSE, position); }
int TrackbarSlider::Position() const { return static_cast<int>(SendMessageW(m_trackbar, TBM_GETPOS, 0, 0)); }
void TrackbarSlider::Disable() { EnableWindow(m_trackbar, FALSE); }

}  // namespace lumeq
