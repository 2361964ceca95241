// Where the window goes, the information box, the site links and the first run.
#include <windows.h>
#include <shellapi.h>

#include "app/control_ids.h"
#include "app/form_main.h"
#include "app/layout_model.h"
#include "platform/text.h"

namespace lumeq {

std::string FormMain::ScreenResolution() const {
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    return std::to_string(desktop.right - desktop.left);
}

void FormMain::btResolution_Click() {
    SetText(m_Resolution, ScreenResolution());
    const std::optional<TwipsPoint> place = PlacementForWidth(Text(m_Resolution));
    if (!place) return;
    // Whole pixels towards the top left, as twips positions have always been turned
    // into pixels.
    SetWindowPos(m_hwnd, nullptr, place->left * m_dpi / 1440, place->top * m_dpi / 1440, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormMain::funMostrarInformacion() {
    MessageBoxW(m_hwnd, Widen(InformationText()).c_str(), L"lumeq gamma", MB_ICONINFORMATION | MB_OK);
}

void FormMain::OpenSite() {
    // No browser or no network is not the player's problem to read about here.
    ShellExecuteW(m_hwnd, L"Open", Widen(kSiteAddress).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void FormMain::FirstRunCheck() {
    const std::wstring folder = ProgramFolder() + L"\\Screenshots";
    WIN32_FIND_DATAW found{};
    // A folder or a plain file of that name both count as found.
    UniqueFind search(FindFirstFileW(folder.c_str(), &found));
    if (search) return;
    // The box belongs to the first run, which ends once the folder exists: where it
    // cannot be made (a read-only program folder) the box would come back at every start.
    if (CreateDirectoryW(folder.c_str(), nullptr)) funMostrarInformacion();
}

}  // namespace lumeq
