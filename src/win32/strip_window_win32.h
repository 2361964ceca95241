#pragma once
// The always-on-top strip that tells the level after each step. It never takes
// activation or the keyboard from the program in front, and never shows in the
// taskbar or in Alt+Tab.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "indicator/indicator_view.h"
#include "win32/unique_handle_win32.h"
#include "win32/base_window_win32.h"

namespace lumeq {

class StripWindow : public BaseWindow<StripWindow>, public IndicatorView {
public:
    // Creates the window and runs Load (placed at 100, 20 px, topmost, hidden);
    // `onTimer1` hears its timer.
    void Create(HINSTANCE instance, int dpi, std::function<void()> onStripHide);
    // Start-up: shown, then its top moved to -50000 twips, far above every screen.
    void ParkOffScreen();
    // Down to the top of the main screen with the text on one line, laid out for that
    // monitor's DPI.
    void Show(std::string_view text) override;
    void Hide() override;
    // StripHide, the core's: owned by this window, so that none outlives it.
    void StartTimer(unsigned ms);
    void StopTimer();

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void Load();
    void OnPaint();
    void SetTop(int twips);
    void ShowWithoutActivating();
    void SetDpi(int dpi);
    void LayOut();
    int Twips(int twips) const { return MulDiv(twips, m_dpi, 1440); }

    HWND m_stripText = nullptr;
    int m_dpi = 96;
    std::function<void()> m_onStripHide;
    std::wstring m_text;
    UniqueBrush m_background;
    UniqueFont m_font;
};

}  // namespace lumeq
