// Where the window goes, the information box, the site links and the first run.
#include <windows.h>
#include <shellapi.h>

#include "win32/control_ids.h"
#include "win32/main_window_win32.h"
#include "app/layout_model.h"
#include "ui/scaling.h"
#include "win32/text_win32.h"
#include "win32/unique_handle_win32.h"
#include "win32/settings_store_win32.h"

namespace lumeq {

std::string MainWindow::ScreenResolution() const {
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    return std::to_string(desktop.right - desktop.left);
}

void MainWindow::ShowResolution() {
    const std::string width = ScreenResolution();
    SetField(Field::Resolution, width);
    // The table's spots were laid out for 15 twips a pixel of the screen, whatever its
    // DPI: at 120 dpi its twips would put the window past the right edge.
    if (const std::optional<TwipsPoint> place = PlacementForWidth(width))
        SetWindowPos(m_hwnd, nullptr, PlacementPixels(place->left), PlacementPixels(place->top), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    KeepOnScreen();
}

void MainWindow::KeepOnScreen() {
    // The work area of the monitor that holds the window, wherever the player put it:
    // never pulled back to the primary one.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    RECT outer{};
    if (!GetMonitorInfoW(MonitorFromWindow(m_hwnd, MONITOR_DEFAULTTONEAREST), &monitor) ||
        !GetWindowRect(m_hwnd, &outer))
        return;
    const RECT& area = monitor.rcWork;
    const PixelRect window{outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top};
    const PixelRect fitted =
        FitInside(window, {area.left, area.top, area.right - area.left, area.bottom - area.top});
    if (fitted != window)
        SetWindowPos(m_hwnd, nullptr, fitted.left, fitted.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::ShowInformation() {
    MessageBoxW(m_hwnd, Widen(WindowsLineBreaks(m_core.Information())).c_str(), L"lumeq gamma",
                MB_ICONINFORMATION | MB_OK);
}

void MainWindow::OpenSite() {
    // No browser or no network is not the player's problem to read about here.
    ShellExecuteW(m_hwnd, L"Open", Widen(kSiteAddress).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void MainWindow::OpenScreenshotsFolder() {
    // Only a folder: where it was deleted, the shell would look for a program of that name
    // (Screenshots.exe, Screenshots.bat beside ours) and run it. The trailing backslash
    // names nothing but a folder.
    const std::wstring folder = m_screenshots.Folder();
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
    // What the shell does with the request is its own business; nothing to report.
    ShellExecuteW(m_hwnd, L"Open", (folder + L"\\").c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void MainWindow::TellIfFolderReadOnly() {
    // Installed where it may not write (Program Files), the program keeps its files beside
    // it all the same (stored files rely on that): the player is told once where to put it.
    const std::wstring folder = ProgramFolder();
    const std::wstring probe = folder + L"\\lumeq-" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    UniqueFile file(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (file) return;
    const DWORD error = GetLastError();
    if (error != ERROR_ACCESS_DENIED && error != ERROR_WRITE_PROTECT) return;
    // The box says it all: no second word in the strip when a write fails.
    m_core.Tell(Notice::SettingsNotSaved, {}, /*silently=*/true);
    const std::wstring text = L"lumeq gamma no puede escribir en su carpeta:\r\n" + folder +
                              L"\r\n\r\nLas capturas de pantalla y los ajustes no se guardarán. Copie la carpeta "
                              L"del programa a un lugar suyo (por ejemplo, Documentos) y ábralo desde allí.";
    MessageBoxW(m_hwnd, text.c_str(), L"lumeq gamma", MB_ICONWARNING | MB_OK);
}

bool MainWindow::ScreenshotsFolderFound() {
    WIN32_FIND_DATAW found{};
    // A folder or a plain file of that name both count as found.
    UniqueFind search(FindFirstFileW(m_screenshots.Folder().c_str(), &found));
    return static_cast<bool>(search);
}

bool MainWindow::MakeScreenshotsFolder() { return CreateDirectoryW(m_screenshots.Folder().c_str(), nullptr) != FALSE; }

void MainWindow::FirstRunBox() {
    FinishStart();  // the icon is there while the box tells of it, and the strip for the keys
    ShowInformation();
}

}  // namespace lumeq
