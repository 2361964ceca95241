#pragma once
// The always-on-top strip that tells the level after each step. It never takes
// activation or the keyboard from the program in front, and never shows in the
// taskbar or in Alt+Tab.
#include <windows.h>

#include <string_view>

#include "platform/unique_handle.h"

namespace lumeq {

class FormIndicador {
public:
    FormIndicador() = default;
    FormIndicador(const FormIndicador&) = delete;
    FormIndicador& operator=(const FormIndicador&) = delete;

    // Creates the window and runs Form_Load (placed at 100, 20 px, topmost, hidden).
    void Create(HINSTANCE instance, int dpi);
    // Start-up: shown, then its top moved to -50000 twips, far above every screen.
    void ParkOffScreen();
    // A step: down to the top of the screen with the level text, hidden 8 s later.
    void ShowLevel(std::string_view levelText, bool refused);
    // The same, with a text of its own.
    void ShowText(std::string_view text);

    void btAumentar_Click(std::string_view levelText) { ShowLevel(levelText, false); }
    void btDisminuir_Click(std::string_view levelText) { ShowLevel(levelText, false); }
    void btMostrar_Click();
    void btIniciar_Click();

    HWND Handle() const { return m_hwnd; }

private:
    template <typename Window>
    friend LRESULT CALLBACK WindowProcOf(HWND, UINT, WPARAM, LPARAM) noexcept;
    void AttachWindow(HWND window) { m_hwnd = window; }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Form_Load();
    void Timer1_Timer();
    void OnPaint();
    void SetTop(int twips);
    void ShowWithoutActivating();
    void SetDpi(int dpi);
    int Twips(int twips) const { return MulDiv(twips, m_dpi, 1440); }

    HINSTANCE m_instance = nullptr;
    HWND m_hwnd = nullptr;
    HWND m_Label1 = nullptr;
    int m_dpi = 96;
    UniqueGdiObject m_background;
    UniqueGdiObject m_font;
};

}  // namespace lumeq
