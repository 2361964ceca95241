// The automatic-activation panel, the watched-programs panel, and the settings file
// behind them.
#include <windows.h>

#include "app/control_ids.h"
#include "app/form_main.h"
#include "app/panel.h"
#include "autoactivation/process_scan_win32.h"
#include "platform/text.h"

namespace lumeq {

namespace {
constexpr COLORREF kFirstBoxColour = 0x00C0C0FF;  // light red: the first name cannot be edited
constexpr COLORREF kOtherBoxColour = 0x00C0FFC0;  // light green
}  // namespace

void FormMain::CreatePanels() {
    m_firstBoxBrush.Reset(CreateSolidBrush(kFirstBoxColour));
    m_otherBoxBrush.Reset(CreateSolidBrush(kOtherBoxColour));

    auto control = [this](HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int id, TwipsRect rect,
                          Fit fit, DWORD exStyle = 0) {
        return m_layout.Create(m_instance, parent, cls, text, WS_VISIBLE | style, id, rect, FontRole::Panel, fit,
                               exStyle);
    };
    auto panel = [this](int id, TwipsRect rect) {
        const PixelRect at = TwipsToPixels(rect, m_layout.Dpi());
        return m_layout.Add(CreatePanel(m_instance, m_hwnd, id, at.left, at.top, at.width, at.height), rect,
                            FontRole::None, Fit::Panel);
    };

    // Created first, so that it lies behind the watched-programs panel.
    m_FrProgramas = panel(ids::FrProgramas, {0, 0, 2400, 1905});
    control(m_FrProgramas, L"STATIC", L"Programas que pueden activan/desactivar la gamma.", SS_LEFT, ids::Label9,
            {90, 180, 2175, 420}, Fit::WrappingCaption);
    for (int box = 0; box < 4; ++box) {
        m_busqueda_Proceso[static_cast<std::size_t>(box)] =
            control(m_FrProgramas, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, ids::busqueda_Proceso1 + box,
                    {90, 585 + 315 * box, 1905, 285}, Fit::Caption, WS_EX_CLIENTEDGE);
    }
    EnableWindow(m_busqueda_Proceso[0], FALSE);
    control(m_FrProgramas, L"BUTTON", L"0k", BS_PUSHBUTTON | WS_TABSTOP, ids::Command1, {2025, 585, 330, 1230},
            Fit::Caption);

    m_FrActivacion = panel(ids::FrActivacion, {0, 0, 2400, 1365});
    control(m_FrActivacion, L"STATIC", L"Activar junto al Counter-Strike o cualquier MOD del HL", SS_LEFT,
            ids::Label5, {90, 270, 2220, 465}, Fit::WrappingCaption);
    m_Check1 = control(m_FrActivacion, L"BUTTON", L"Activación automática", BS_AUTOCHECKBOX | WS_TABSTOP,
                       ids::Check1, {90, 720, 1950, 195}, Fit::Caption);
    m_btOtrosProgramas = control(m_FrActivacion, L"BUTTON", L"Otros programas", BS_PUSHBUTTON | WS_TABSTOP,
                                 ids::btOtrosProgramas, {90, 1080, 1365, 240}, Fit::Caption);
    EnableWindow(m_btOtrosProgramas, FALSE);
    control(m_FrActivacion, L"BUTTON", L"Aceptar", BS_PUSHBUTTON | WS_TABSTOP, ids::btAutoactivar,
            {1530, 1080, 780, 240}, Fit::Caption);
    m_layout.FitPanel(m_FrProgramas);
    m_layout.FitPanel(m_FrActivacion);
    // The watched-programs panel lies in front of the automatic-activation panel.
    SetWindowPos(m_FrProgramas, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT FormMain::OnCtlColorNameBox(UINT message, HDC dc, HWND control) {
    // The first box is disabled, and a disabled edit box asks for a static's colours.
    if (control == m_busqueda_Proceso[0]) {
        SetBkColor(dc, kFirstBoxColour);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(m_firstBoxBrush.Get());
    }
    for (std::size_t box = 1; box < m_busqueda_Proceso.size(); ++box) {
        if (control == m_busqueda_Proceso[box]) {
            SetBkColor(dc, kOtherBoxColour);
            return reinterpret_cast<LRESULT>(m_otherBoxBrush.Get());
        }
    }
    return DefWindowProcW(m_hwnd, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
}

void FormMain::OnControlCommand(int id, int code) {
    if (id >= ids::busqueda_Proceso1 && id < ids::busqueda_Proceso1 + 4) {
        if (code == EN_CHANGE) busqueda_Proceso_Change(id - ids::busqueda_Proceso1);
        return;
    }
    if (code != BN_CLICKED) return;
    switch (id) {
        case ids::Command2: OpenScreenshotsFolder(); break;
        case ids::Image1:
        case ids::Label3: OpenSite(); break;
        case ids::btadveroOK: btadveroOK_Click(); break;
        case ids::Check1: Check1_Click(); break;
        case ids::btAutoactivar: btAutoactivar_Click(); break;
        case ids::btOtrosProgramas: btOtrosProgramas_Click(); break;
        case ids::Command1: Command1_Click(); break;
        default: break;
    }
}

// ----- the settings file -----

Settings FormMain::CurrentSettings() const {
    Settings fields;
    fields.screenText = Text(m_screenText);
    fields.txtActivacion = Text(m_txtActivacion);
    for (std::size_t box = 0; box < fields.names.size(); ++box) fields.names[box] = Text(m_busqueda_Proceso[box]);
    return fields;
}

void FormMain::funLeerConfig() {
    const SettingsStore::Content read = m_settings.Read();
    Settings fields = CurrentSettings();
    m_settingsMemory.AfterRead(read.result, read.text, fields);
    SetText(m_screenText, fields.screenText);
    SetText(m_txtActivacion, fields.txtActivacion);
    for (std::size_t box = 0; box < fields.names.size(); ++box) SetText(m_busqueda_Proceso[box], fields.names[box]);
}

void FormMain::funGuardarConfig(bool askedByUser) {
    if (!askedByUser && !m_settingsMemory.MayWriteUnasked()) return;
    const Settings stored = m_settingsMemory.ToWrite(CurrentSettings());
    // A failed write leaves the previous file whole; nothing more can be done about it.
    if (m_settings.Write(FormatSettings(stored))) m_settingsMemory.Written(stored);
}

// ----- the watcher's host -----

std::string FormMain::ListProcesses() {
    return ListProcessesFromSnapshot([this] { PumpWaitingMessages(); });
}

std::string FormMain::NameBox(int index) const { return Text(m_busqueda_Proceso[static_cast<std::size_t>(index)]); }

// ----- the panels -----

void FormMain::ApplyStoredActivation() {
    if (Text(m_txtActivacion) == "False") {
        SendMessageW(m_Check1, BM_SETCHECK, BST_UNCHECKED, 0);
        KillTimer(m_hwnd, ids::activacionTimer);
        return;
    }
    // Ticking the box from unticked runs its click handling, as a click would.
    SendMessageW(m_Check1, BM_SETCHECK, BST_CHECKED, 0);
    Check1_Click();
    SetTimer(m_hwnd, ids::activacionTimer, 1000, nullptr);
}

void FormMain::menuActivacion_Click() {
    ShowWindow(m_Frame3, SW_HIDE);
    // An open watched-programs panel stays in front: it belongs to this one.
    const HWND above = IsWindowVisible(m_FrProgramas) ? m_FrProgramas : HWND_TOP;
    SetWindowPos(m_FrActivacion, above, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
}

void FormMain::menuActivacionauto_Click() {
    menuActivacion_Click();
    ShowWindow(m_hwnd, SW_SHOW);
}

void FormMain::Check1_Click() {
    if (SendMessageW(m_Check1, BM_GETCHECK, 0, 0) == BST_CHECKED) {
        funLeerConfig();
        SetText(m_txtActivacion, "True");
        m_watcher.Arm();
        m_watcher.btBuscaProcesoON();
        EnableWindow(m_btOtrosProgramas, TRUE);
    } else {
        SetText(m_txtActivacion, "False");
        m_watcher.Disarm();
        EnableWindow(m_btOtrosProgramas, FALSE);
    }
}

void FormMain::btAutoactivar_Click() {
    ShowWindow(m_FrActivacion, SW_HIDE);
    const bool ticked = SendMessageW(m_Check1, BM_GETCHECK, 0, 0) == BST_CHECKED;
    // The flag every write stores from now on, whatever a re-read put in txtActivacion.
    m_settingsMemory.Confirm(ticked);
    SetText(m_txtActivacion, ticked ? "True" : "False");
    funGuardarConfig();
    if (ticked) {
        SetTimer(m_hwnd, ids::activacionTimer, 1000, nullptr);
        SetTimer(m_hwnd, ids::TimerReset, 500, nullptr);
        return;
    }
    for (HWND box : m_busqueda_Proceso) SetText(box, kNameSentinel);
    btDesactivar_Click();
}

void FormMain::btOtrosProgramas_Click() {
    funLeerConfig();
    SetWindowPos(m_FrProgramas, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
}

void FormMain::Command1_Click() {
    ShowWindow(m_FrProgramas, SW_HIDE);
    funGuardarConfig();
}

void FormMain::busqueda_Proceso_Change(int) { m_watcher.NameChanged(); }

}  // namespace lumeq
