// Where the window goes, the information box, the site links and the first run.
#include <windows.h>
#include <shellapi.h>

#include "ui/control_ids.h"
#include "app/form_main_win32.h"
#include "app/layout_model.h"
#include "ui/scaling.h"
#include "platform/text_win32.h"

namespace lumeq {

std::string FormMain::ScreenResolution() const {
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    return std::to_string(desktop.right - desktop.left);
}

void FormMain::btResolution_Click() {
    const std::string width = ScreenResolution();
    SetField(Field::Resolution, width);
    // The table's spots were laid out for 15 twips a pixel of the screen, whatever its
    // DPI: at 120 dpi its twips would put the window past the right edge.
    if (const std::optional<TwipsPoint> place = PlacementForWidth(width))
        SetWindowPos(m_hwnd, nullptr, PlacementPixels(place->left), PlacementPixels(place->top), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    KeepOnScreen();
}

void FormMain::KeepOnScreen() {
    RECT area{};
    RECT outer{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0) || !GetWindowRect(m_hwnd, &outer)) return;
    const PixelRect window{outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top};
    const PixelRect fitted =
        FitInside(window, {area.left, area.top, area.right - area.left, area.bottom - area.top});
    if (fitted != window)
        SetWindowPos(m_hwnd, nullptr, fitted.left, fitted.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormMain::funMostrarInformacion() {
    MessageBoxW(m_hwnd, Widen(InformationText()).c_str(), L"lumeq gamma", MB_ICONINFORMATION | MB_OK);
}

void FormMain::OpenSite() {
    // No browser or no network is not the player's problem to read about here.
    ShellExecuteW(m_hwnd, L"Open", Widen(kSiteAddress).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void FormMain::OpenScreenshotsFolder() {
    // What the shell does with the request is its own business; nothing to report.
    ShellExecuteW(m_hwnd, L"Open", m_screenshots.Folder().c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void FormMain::FirstRunCheck() {
    const std::wstring& folder = m_screenshots.Folder();
    WIN32_FIND_DATAW found{};
    // A folder or a plain file of that name both count as found.
    UniqueFind search(FindFirstFileW(folder.c_str(), &found));
    if (search) return;
    // The box belongs to the first run, which ends once the folder exists: where it
    // cannot be made (a read-only program folder) the box would come back at every start.
    if (!CreateDirectoryW(folder.c_str(), nullptr)) return;
    FinishStart();  // the icon is there while the box tells of it
    funMostrarInformacion();
}

}  // namespace lumeq
