#include "win32/scaled_layout_win32.h"

#include <algorithm>
#include <string>

#include "win32/ui_style_win32.h"

namespace lumeq {

namespace {
std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool IsCheckBox(HWND window) {
    const LONG kind = GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK;
    return kind == BS_AUTOCHECKBOX || kind == BS_CHECKBOX;
}
}  // namespace

void ScaledLayout::SetDpi(int dpi) {
    m_dpi = dpi;
    m_fonts[static_cast<std::size_t>(FontRole::Label)] = MakeUiFont(dpi, false, false);
    m_fonts[static_cast<std::size_t>(FontRole::NameCaption)] = MakeUiFont(dpi, false, true);
    m_fonts[static_cast<std::size_t>(FontRole::SignatureCaption)] = MakeUiFont(dpi, true, true);
    m_fonts[static_cast<std::size_t>(FontRole::Panel)] = MakeUiFont(dpi, false, false);
    m_fonts[static_cast<std::size_t>(FontRole::NewScreenshots)] = MakeUiFont(dpi, false, true);
}

HFONT ScaledLayout::Font(FontRole role) const {
    return m_fonts[static_cast<std::size_t>(role)].Get();
}

HWND ScaledLayout::Create(HINSTANCE instance, HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style,
                          int id, TwipsRect rect, FontRole font, Fit fit, DWORD exStyle) {
    const PixelRect at = TwipsToPixels(rect, m_dpi);
    HWND window = CreateWindowExW(exStyle, cls, text, WS_CHILD | style, at.left, at.top, at.width, at.height, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    return Add(window, rect, font, fit);
}

HWND ScaledLayout::Add(HWND window, TwipsRect rect, FontRole font, Fit fit) {
    if (!window) return window;
    m_entries.push_back({window, rect, font, fit});
    if (font != FontRole::None) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(Font(font)), FALSE);
    return window;
}

void ScaledLayout::LayOutAll() {
    for (const Entry& entry : m_entries) {
        const PixelRect at = TwipsToPixels(entry.rect, m_dpi);
        SetWindowPos(entry.window, nullptr, at.left, at.top, at.width, at.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (entry.font != FontRole::None)
            SendMessageW(entry.window, WM_SETFONT, reinterpret_cast<WPARAM>(Font(entry.font)), TRUE);
    }
    for (const Entry& entry : m_entries)
        if (entry.fit == Fit::Panel) FitPanel(entry.window);
}

FittedControl ScaledLayout::Measure(HDC dc, const Entry& entry) const {
    FittedControl control;
    control.rect = TwipsToPixels(entry.rect, m_dpi);
    control.fillsPanel = entry.fit == Fit::FillsPanel;
    if (entry.fit != Fit::Caption && entry.fit != Fit::WrappingCaption) return control;

    SelectedObject font(dc, Font(entry.font));
    const std::wstring text = TextOf(entry.window);
    RECT need{0, 0, control.rect.width, 0};
    if (entry.fit == Fit::WrappingCaption) {
        DrawTextW(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        control.needWidth = need.right;
        control.needHeight = need.bottom;
        return control;
    }
    // A line of text (an empty edit box still needs a line's height), and the control's
    // own edges: a button's bevel, a check box's box and gap, an edit box's border.
    DrawTextW(dc, text.empty() ? L"Ag" : text.c_str(), -1, &need, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    wchar_t className[16] = {};
    GetClassNameW(entry.window, className, 16);
    const bool button = _wcsicmp(className, L"Button") == 0;
    const bool edit = _wcsicmp(className, L"Edit") == 0;  // scrolls its text: only its height counts
    const int sides = !button && !edit               ? 0  // a label draws its text edge to edge
                      : button && IsCheckBox(entry.window) ? ScalePixels(19, m_dpi)
                                                           : ScalePixels(8, m_dpi);
    control.needWidth = text.empty() || edit ? 0 : need.right + sides;
    const int rims = !button && !edit ? 0 : button && IsCheckBox(entry.window) ? ScalePixels(2, m_dpi) : ScalePixels(6, m_dpi);
    control.needHeight = need.bottom + rims;
    return control;
}

void ScaledLayout::MoveIfMoved(HWND window, const PixelRect& rect) {
    // Each move is a call to the window system; most controls already lie where they fit.
    RECT now{};
    GetWindowRect(window, &now);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&now), 2);
    if (now.left == rect.left && now.top == rect.top && now.right - now.left == rect.width &&
        now.bottom - now.top == rect.height)
        return;
    SetWindowPos(window, nullptr, rect.left, rect.top, rect.width, rect.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ScaledLayout::FitPanel(HWND panel) {
    for (const Entry& entry : m_entries) {
        if (entry.window != panel) continue;
        const PixelRect at = TwipsToPixels(entry.rect, m_dpi);
        const int height = FitInArea(panel, at.width, at.height, ScalePixels(3, m_dpi));
        SetWindowPos(panel, nullptr, 0, 0, at.width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
}

int ScaledLayout::TallestPanel() const {
    int tallest = 0;
    for (const Entry& entry : m_entries) {
        RECT rect{};
        if (entry.fit == Fit::Panel && GetWindowRect(entry.window, &rect))
            tallest = std::max(tallest, static_cast<int>(rect.bottom - rect.top));
    }
    return tallest;
}

void ScaledLayout::FitChildren(HWND parent, TwipsRect area, int marginTwips) {
    const PixelRect at = TwipsToPixels(area, m_dpi);
    FitInArea(parent, at.width, at.height, Pixels(marginTwips));
}

int ScaledLayout::FitInArea(HWND parent, int width, int height, int margin) {
    // Only what has a caption to fit, or a frame to follow: hidden fields and the banner
    // keep their places.
    std::vector<const Entry*> children;
    for (const Entry& entry : m_entries)
        if (GetParent(entry.window) == parent && entry.fit != Fit::None && entry.fit != Fit::Panel)
            children.push_back(&entry);
    // Captions are measured on one memory DC of the screen's kind: the same widths as
    // each control's own DC, without asking the window system for one per control.
    UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    std::vector<FittedControl> controls;
    for (const Entry* child : children) controls.push_back(Measure(dc.Get(), *child));
    const int fitted = FitControls(controls, width, height, margin);
    for (std::size_t i = 0; i < children.size(); ++i) MoveIfMoved(children[i]->window, controls[i].rect);
    return fitted;
}

}  // namespace lumeq
