// Screenshots on request, and the folder statistics that report on them.
#include <windows.h>
#include <shellapi.h>

#include "app/control_ids.h"
#include "app/form_main.h"
#include "app/panel.h"
#include "platform/text.h"
#include "platform/ui_style.h"
#include "screenshots/folder_reader_win32.h"
#include "screenshots/folder_stats.h"
#include "screenshots/screen_capture_win32.h"
#include "screenshots/screenshot_numbering.h"

namespace lumeq {

namespace {
constexpr UINT kHotKeyDelayMs = 50;
constexpr UINT kMenuDelayMs = 250;
constexpr char kNotSaved[] = "Screenshot no guardada";

void SetMenuCaption(HMENU menu, UINT id, const std::wstring& caption) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_STRING;
    item.dwTypeData = const_cast<wchar_t*>(caption.c_str());
    SetMenuItemInfoW(menu, id, FALSE, &item);
}
}  // namespace

void FormMain::CreateScreenshotControls() {
    m_TxtScreenNuevas = CreateStateField(ids::TxtScreenNuevas, L"0");
    m_Text1 = CreateStateField(ids::Text1, L"");
    m_Text2 = CreateStateField(ids::Text2, L"");
    m_txtCantidad = CreateStateField(ids::txtCantidad, L"");
    m_FileSizeMB = CreateStateField(ids::FileSizeMB, L"");

    m_screenNuevasBrush.Reset(CreateSolidBrush(0x0044584C));
    m_ScreenNuevas = m_layout.Create(m_instance, m_hwnd, L"STATIC", L"x nuevas screens", WS_CLIPSIBLINGS | SS_LEFT,
                                     ids::ScreenNuevas, {0, 1260, 1905, 195}, FontRole::ScreenNuevas);

    const TwipsRect frame{0, 0, 2400, 1500};
    const PixelRect at = TwipsToPixels(frame, m_layout.Dpi());
    m_Frame3 = m_layout.Add(CreatePanel(m_instance, m_hwnd, ids::Frame3, at.left, at.top, at.width, at.height), frame,
                            FontRole::None, Fit::Panel);
    auto control = [this](const wchar_t* cls, const wchar_t* text, DWORD style, int id, TwipsRect rect, Fit fit) {
        return m_layout.Create(m_instance, m_Frame3, cls, text, WS_VISIBLE | style, id, rect, FontRole::Panel, fit);
    };
    control(L"BUTTON", L" Advertencia : ", BS_GROUPBOX, 0, {0, 0, 2400, 1500}, Fit::FillsPanel);
    m_Label6 = control(L"STATIC", L"El directorio Screenshots contiene un total de:", SS_LEFT, ids::Label6,
                       {45, 270, 2310, 375}, Fit::WrappingCaption);
    m_Label7 = control(L"STATIC", L"El tamaño total de los archivos es de: ", SS_LEFT, ids::Label7,
                       {45, 720, 2220, 510}, Fit::WrappingCaption);
    control(L"BUTTON", L"Abrir directorio", BS_PUSHBUTTON | WS_TABSTOP, ids::Command2, {45, 1170, 1275, 240},
            Fit::Caption);
    control(L"BUTTON", L"ok", BS_PUSHBUTTON | WS_TABSTOP, ids::btadveroOK, {1935, 1170, 420, 240}, Fit::Caption);
}

void FormMain::btScreen_Click() { SetTimer(m_hwnd, ids::TimerScreen, kHotKeyDelayMs, nullptr); }
void FormMain::menuCapturarPantalla_Click() { SetTimer(m_hwnd, ids::TimerScreen, kMenuDelayMs, nullptr); }
void FormMain::menuCapturarPantalla2_Click() { SetTimer(m_hwnd, ids::TimerScreen, kMenuDelayMs, nullptr); }

void FormMain::TimerScreen_Timer() {
    KillTimer(m_hwnd, ids::TimerScreen);
    const std::wstring folder = ProgramFolder() + L"\\Screenshots";
    // The player may have deleted the folder since start-up.
    CreateDirectoryW(folder.c_str(), nullptr);
    Numbering numbering;
    if (const auto jpeg = CaptureScreenAsJpeg(m_hwnd)) {
        // The first free number from the counter on: a capture never replaces a file.
        numbering = TakeFreeNumber(Text(m_screenText), [&](const std::string& number) {
            return WriteNewFile(folder + L"\\" + Widen(ScreenshotFileName(number)), *jpeg);
        });
    }
    if (!numbering.used) {
        // Nothing saved: the counter stays, and the player is told.
        SetText(m_ScreenNuevas, kNotSaved);
        ShowWindow(m_ScreenNuevas, SW_SHOWNA);
        return;
    }
    SetText(m_screenText, numbering.next);
    m_settingsMemory.CounterUsed(numbering.next);
    funGuardarConfig(/*askedByUser=*/false);
    const std::int64_t taken = static_cast<std::int64_t>(CounterValue(Text(m_TxtScreenNuevas))) + 1;
    SetText(m_TxtScreenNuevas, std::to_string(taken));
    SetText(m_ScreenNuevas, NewScreenshotsText(taken));
    ShowWindow(m_ScreenNuevas, SW_SHOWNA);
    btCantidadArch_Click();
    SetFolderCaptions(true);
}

void FormMain::SetFolderCaptions(bool newScreenshots) {
    const std::wstring caption = Widen(FolderCaption(Text(m_txtCantidad), newScreenshots));
    SetMenuCaption(m_menuBar, ids::menuAbrirDirectorio, caption);
    SetMenuCaption(m_mnuFunctions.Get(), ids::FunctionsScreenshot, caption);
    DrawMenuBar(m_hwnd);
}

void FormMain::btCantidadArch_Click() {
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    Win32FolderReader reader;
    std::int64_t count = 0;
    const std::uint64_t total = funBuscarArchivos(reader, Text(m_Text1), Text(m_Text2), count);
    SetText(m_txtCantidad, std::to_string(count));
    if (count >= kWarningCount) {
        SetText(m_txtOculta, "Si");
        SetWindowPos(m_Frame3, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        SetText(m_Label6, WarningCountText(count));
        SetText(m_FileSizeMB, SizeText(total, UserDecimalSeparator()));
        SetText(m_Label7, WarningSizeText(Text(m_FileSizeMB)));
        m_layout.FitPanel(m_Frame3);  // the new captions may need more lines, and the window more room
        SetFixedSize();
        KeepOnScreen();
        if (Text(m_estadoTxt) == "False") ShowWindow(m_hwnd, SW_SHOW);
        SetStripColour(kStripWarning);
    }
    SetCursor(previous ? previous : LoadCursorW(nullptr, IDC_ARROW));
}

void FormMain::OpenScreenshotsFolder() {
    const std::wstring folder = ProgramFolder() + L"\\Screenshots";
    // What the shell does with the request is its own business; nothing to report.
    ShellExecuteW(m_hwnd, L"Open", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void FormMain::btadveroOK_Click() { ShowWindow(m_Frame3, SW_HIDE); }

}  // namespace lumeq
