#pragma once
// The one window base: registers the window class once, creates the window with the
// object attached on WM_NCCREATE, detaches it on WM_NCDESTROY, and routes every message
// to the object's HandleMessage. No exception leaves a window procedure.
#include <windows.h>

namespace lumeq {

struct WindowClassLook {
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
    HBRUSH background = nullptr;
};

template <typename Window>
class BaseWindow {
public:
    HWND Handle() const { return m_hwnd; }

protected:
    BaseWindow() = default;
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;
    ~BaseWindow() = default;

    HWND CreateBase(HINSTANCE instance, const wchar_t* className, const WindowClassLook& look, DWORD exStyle,
                    const wchar_t* title, DWORD style, int left, int top, int width, int height, HWND parent,
                    HMENU menu) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        if (!GetClassInfoExW(instance, className, &windowClass)) {
            windowClass = WNDCLASSEXW{};
            windowClass.cbSize = sizeof(windowClass);
            windowClass.lpfnWndProc = &BaseWindow::Procedure;
            windowClass.hInstance = instance;
            windowClass.hIcon = look.icon;
            windowClass.hIconSm = look.smallIcon;
            windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
            windowClass.hbrBackground = look.background;
            windowClass.lpszClassName = className;
            if (!RegisterClassExW(&windowClass)) return nullptr;
        }
        return CreateWindowExW(exStyle, className, title, style, left, top, width, height, parent, menu, instance,
                               static_cast<Window*>(this));
    }

    HWND m_hwnd = nullptr;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
        Window* self = nullptr;
        if (message == WM_NCCREATE) {
            self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            self->m_hwnd = window;
        } else {
            self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        }
        if (!self) return DefWindowProcW(window, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            self->m_hwnd = nullptr;
            return DefWindowProcW(window, message, wParam, lParam);
        }
        try {
            return self->HandleMessage(message, wParam, lParam);
        } catch (...) {
            // A handler that failed leaves the message to the default handling rather than
            // taking the program down with the boost on.
            return DefWindowProcW(window, message, wParam, lParam);
        }
    }
};

}  // namespace lumeq
