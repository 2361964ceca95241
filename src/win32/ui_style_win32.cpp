#include "win32/ui_style_win32.h"

#include "win32/text_win32.h"

namespace lumeq {

UniqueFont MakeUiFont(int dpi, bool bold, bool italic) {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(825, dpi, 7200);  // 8.25 pt
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = italic ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    wcscpy_s(font.lfFaceName, L"Microsoft Sans Serif");
    return UniqueFont(CreateFontIndirectW(&font));
}

std::string UserDecimalSeparator() {
    wchar_t separator[8] = L".";
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) == 0) return ".";
    return Narrow(separator);
}

}  // namespace lumeq
