#pragma once
// The controls of the main window, laid out in twips and turned into pixels at the
// window's DPI, with the fonts they use; laid out again when the DPI changes. Captions
// are measured with their own fonts, and a control whose caption needs more room than
// the layout gives it grows (see FitControls), so no text depends on one font's widths.
#include <windows.h>

#include <array>
#include <vector>

#include "ui/scaling.h"
#include "win32/unique_handle_win32.h"

namespace lumeq {

enum class FontRole { None, Label, NameCaption, SignatureCaption, Panel, NewScreenshots, Count };

enum class Fit {
    None,             // keeps its size (the banner, hidden fields)
    Caption,          // a one-line caption (buttons, check boxes, edit boxes)
    WrappingCaption,  // a label whose caption wraps onto more lines
    FillsPanel,       // a frame drawn round the whole panel
    Panel,            // a panel: its height follows what its controls need
};

class ScaledLayout {
public:
    int Dpi() const { return m_dpi; }
    // Rebuilds the fonts for `dpi`; LayOutAll puts them on the controls.
    void SetDpi(int dpi);
    int Pixels(int twips) const { return TwipsToPixels(twips, m_dpi); }
    HFONT Font(FontRole role) const;

    // Creates a child control at `rect` (twips, relative to `parent`) and remembers it.
    HWND Create(HINSTANCE instance, HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int id,
                TwipsRect rect, FontRole font = FontRole::None, Fit fit = Fit::None, DWORD exStyle = 0);
    // Remembers a window made elsewhere (a panel, the slider).
    HWND Add(HWND window, TwipsRect rect, FontRole font = FontRole::None, Fit fit = Fit::None);

    // Every control at its place and with its font for the current DPI, then every panel
    // fitted to its captions.
    void LayOutAll();
    // Grows what in `panel` needs more room for its caption (after a caption changed).
    void FitPanel(HWND panel);
    // The height of the tallest panel, in pixels, as fitted.
    int TallestPanel() const;
    // The same for the controls of `parent` that lie in `area` (twips), which keeps its size.
    void FitChildren(HWND parent, TwipsRect area, int marginTwips);

private:
    struct Entry {
        HWND window;
        TwipsRect rect;
        FontRole font;
        Fit fit;
    };
    FittedControl Measure(HDC dc, const Entry& entry) const;
    static void MoveIfMoved(HWND window, const PixelRect& rect);
    int FitInArea(HWND parent, int width, int height, int margin);

    int m_dpi = kBaseDpi;
    std::array<UniqueFont, static_cast<std::size_t>(FontRole::Count)> m_fonts;
    std::vector<Entry> m_entries;
};

}  // namespace lumeq
