#pragma once
// Move-only owners for Win32 handles. Each Traits gives the empty value and the call
// that releases a handle; copying is deleted so a handle is released exactly once.
#include <windows.h>

#include <utility>

namespace lumeq {

template <typename Traits>
class Unique {
public:
    using Handle = typename Traits::Handle;

    Unique() = default;
    explicit Unique(Handle handle) : m_handle(handle) {}
    Unique(Unique&& other) noexcept : m_handle(other.Release()) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    ~Unique() { Reset(); }

    Handle Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != Traits::Empty(); }
    Handle Release() { return std::exchange(m_handle, Traits::Empty()); }
    void Reset(Handle handle = Traits::Empty()) {
        if (m_handle != Traits::Empty()) Traits::Close(m_handle);
        m_handle = handle;
    }
    // For out-parameters of calls that open a handle.
    Handle* Put() {
        Reset();
        return &m_handle;
    }

private:
    Handle m_handle = Traits::Empty();
};

struct KernelHandleTraits {  // null is empty (mutexes, processes, threads)
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { CloseHandle(h); }
};
struct InvalidIsEmptyTraits {  // CreateFile and CreateToolhelp32Snapshot fail with INVALID_HANDLE_VALUE
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};
struct FindTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { FindClose(h); }
};
struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { RegCloseKey(h); }
};
template <typename GdiHandle>
struct GdiTraits {
    using Handle = GdiHandle;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};
using GdiObjectTraits = GdiTraits<HGDIOBJ>;
struct MemoryDcTraits {  // CreateCompatibleDC
    using Handle = HDC;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { DeleteDC(h); }
};
struct IconTraits {
    using Handle = HICON;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { DestroyIcon(h); }
};
struct MenuTraits {  // only for menus not attached to a window
    using Handle = HMENU;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { DestroyMenu(h); }
};

using UniqueHandle = Unique<KernelHandleTraits>;
using UniqueSnapshot = Unique<InvalidIsEmptyTraits>;
using UniqueFile = Unique<InvalidIsEmptyTraits>;
using UniqueFind = Unique<FindTraits>;
using UniqueRegKey = Unique<RegKeyTraits>;
using UniqueGdiObject = Unique<GdiObjectTraits>;
using UniqueBrush = Unique<GdiTraits<HBRUSH>>;
using UniqueFont = Unique<GdiTraits<HFONT>>;
using UniqueBitmap = Unique<GdiTraits<HBITMAP>>;
using UniqueIcon = Unique<IconTraits>;
using UniqueMemoryDC = Unique<MemoryDcTraits>;

// Selects an object into a DC and puts the previous one back on scope exit.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(m_dc, m_previous); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};
using UniqueMenu = Unique<MenuTraits>;

// A DC obtained with GetDC (null window: the whole screen) and released on scope exit.
class WindowDC {
public:
    explicit WindowDC(HWND window) : m_window(window), m_dc(GetDC(window)) {}
    ~WindowDC() {
        if (m_dc) ReleaseDC(m_window, m_dc);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HWND m_window;
    HDC m_dc;
};

// BeginPaint / EndPaint.
class PaintGuard {
public:
    explicit PaintGuard(HWND window) : m_window(window), m_dc(BeginPaint(window, &m_paint)) {}
    ~PaintGuard() { EndPaint(m_window, &m_paint); }
    PaintGuard(const PaintGuard&) = delete;
    PaintGuard& operator=(const PaintGuard&) = delete;
    HDC Get() const { return m_dc; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint{};
    HDC m_dc;
};

// OpenClipboard / CloseClipboard.
class ClipboardLock {
public:
    explicit ClipboardLock(HWND owner) : m_open(OpenClipboard(owner) != FALSE) {}
    ~ClipboardLock() {
        if (m_open) CloseClipboard();
    }
    ClipboardLock(const ClipboardLock&) = delete;
    ClipboardLock& operator=(const ClipboardLock&) = delete;
    explicit operator bool() const { return m_open; }

private:
    bool m_open;
};

}  // namespace lumeq
