#include "win32/banner_win32.h"

#include <algorithm>
#include <cmath>

#include "win32/unique_handle_win32.h"

namespace lumeq {

namespace {
constexpr COLORREF kTop = RGB(0x0B, 0x0E, 0x13);
constexpr COLORREF kBottom = RGB(0x1A, 0x22, 0x2C);
constexpr COLORREF kAccent = RGB(0xFF, 0xB0, 0x20);
constexpr COLORREF kHot = RGB(0xFF, 0xF2, 0xC8);
constexpr COLORREF kName = RGB(0xF2, 0xF4, 0xF7);

COLORREF Blend(COLORREF from, COLORREF to, double t) {
    auto mix = [t](int a, int b) { return static_cast<BYTE>(std::lround(a + (b - a) * t)); };
    return RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
               mix(GetBValue(from), GetBValue(to)));
}

void Disc(HDC dc, int cx, int cy, int radius, COLORREF colour) {
    UniqueGdiObject brush(CreateSolidBrush(colour));
    SelectedObject selectedBrush(dc, brush.Get());
    SelectedObject noPen(dc, GetStockObject(NULL_PEN));
    Ellipse(dc, cx - radius, cy - radius, cx + radius + 1, cy + radius + 1);
}

void Text(HDC dc, const wchar_t* text, int x, int y, int height, int weight, COLORREF colour, int spacing) {
    LOGFONTW font{};
    font.lfHeight = -height;
    font.lfWeight = weight;
    font.lfQuality = ANTIALIASED_QUALITY;
    font.lfCharSet = DEFAULT_CHARSET;
    wcscpy_s(font.lfFaceName, L"Tahoma");
    UniqueGdiObject handle(CreateFontIndirectW(&font));
    SelectedObject selected(dc, handle.Get());
    SetTextColor(dc, colour);
    SetBkMode(dc, TRANSPARENT);
    SetTextCharacterExtra(dc, spacing);
    TextOutW(dc, x, y, text, static_cast<int>(wcslen(text)));
    SetTextCharacterExtra(dc, 0);
}
}  // namespace

void DrawBanner(HDC dc, const RECT& area, int dpi) {
    // Designed on a 160 x 127 grid (the banner at 96 dpi) and scaled to the display.
    auto px = [dpi](double v) { return static_cast<int>(std::lround(v * dpi / 96.0)); };
    const int height = area.bottom - area.top;

    for (int y = 0; y < height; ++y) {
        UniqueGdiObject band(CreateSolidBrush(Blend(kTop, kBottom, height > 1 ? y / double(height - 1) : 0)));
        RECT row{area.left, area.top + y, area.right, area.top + y + 1};
        FillRect(dc, &row, static_cast<HBRUSH>(band.Get()));
    }

    // The burst: rays, then a glow that brightens towards its core.
    const int cx = area.left + px(122);
    const int cy = area.top + px(40);
    {
        UniqueGdiObject pen(CreatePen(PS_SOLID, std::max(1, px(1)), Blend(kBottom, kAccent, 0.35)));
        SelectedObject selected(dc, pen.Get());
        for (int ray = 0; ray < 16; ++ray) {
            const double angle = ray * 3.14159265358979 / 8;
            const double inner = ray % 2 ? 22 : 18;
            const double outer = ray % 2 ? 34 : 46;
            MoveToEx(dc, cx + px(inner * std::cos(angle)), cy + px(inner * std::sin(angle)), nullptr);
            LineTo(dc, cx + px(outer * std::cos(angle)), cy + px(outer * std::sin(angle)));
        }
    }
    const double glow[][2] = {{21, 0.18}, {17, 0.35}, {13, 0.6}, {10, 0.85}, {7, 1.0}};
    for (const auto& ring : glow) Disc(dc, cx, cy, px(ring[0]), Blend(kBottom, kAccent, ring[1]));
    Disc(dc, cx, cy, px(4), kHot);

    Text(dc, L"lumeq", area.left + px(9), area.top + px(22), px(30), FW_BOLD, kName, 0);
    Text(dc, L"GAMMA BOOST", area.left + px(11), area.top + px(56), px(10), FW_BOLD, kAccent, px(2));

    // Fifteen levels, from dark to bright.
    for (int level = 0; level < 15; ++level) {
        const double t = level / 14.0;
        UniqueGdiObject brush(CreateSolidBrush(Blend(RGB(0x30, 0x38, 0x42), kAccent, t)));
        RECT bar{area.left + px(11 + level * 6), area.top + px(88 - 2 - t * 10), area.left + px(15 + level * 6),
                 area.top + px(90)};
        FillRect(dc, &bar, static_cast<HBRUSH>(brush.Get()));
    }
}

}  // namespace lumeq
