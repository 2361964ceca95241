#pragma once
// One window procedure for each of our window classes: the object passed to
// CreateWindowEx is attached on WM_NCCREATE, and every message goes to its
// HandleMessage. No exception leaves a window procedure.
#include <windows.h>

namespace lumeq {

template <typename Window>
LRESULT CALLBACK WindowProcOf(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    Window* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->AttachWindow(window);
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        // A handler that failed leaves the message to the default handling rather than
        // taking the program down with the boost on.
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace lumeq
