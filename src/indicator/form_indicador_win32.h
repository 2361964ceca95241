#pragma once
// The always-on-top strip that tells the level after each step. It never takes
// activation or the keyboard from the program in front, and never shows in the
// taskbar or in Alt+Tab.
#include <windows.h>

#include <string>
#include <string_view>

#include "indicator/indicator_view.h"
#include "platform/unique_handle_win32.h"
#include "ui/base_window_win32.h"

namespace lumeq {

class FormIndicador : public BaseWindow<FormIndicador>, public IndicatorView {
public:
    // Creates the window and runs Form_Load (placed at 100, 20 px, topmost, hidden).
    void Create(HINSTANCE instance, int dpi);
    // Start-up: shown, then its top moved to -50000 twips, far above every screen.
    void ParkOffScreen();
    // Down to the top of the main screen with the text on one line, hidden 8 s later;
    // laid out for that monitor's DPI. Its one timer is its own window's.
    void ShowText(std::string_view text) override;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void Form_Load();
    void Timer1_Timer();
    void OnPaint();
    void SetTop(int twips);
    void ShowWithoutActivating();
    void SetDpi(int dpi);
    void LayOut();
    int Twips(int twips) const { return MulDiv(twips, m_dpi, 1440); }

    HWND m_Label1 = nullptr;
    int m_dpi = 96;
    std::wstring m_text;
    UniqueBrush m_background;
    UniqueFont m_font;
};

}  // namespace lumeq
