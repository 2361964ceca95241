#include "win32/panels_win32.h"

#include "win32/text_win32.h"
#include "win32/control_ids.h"

namespace lumeq {

namespace {
constexpr COLORREF kFirstBoxColour = 0x00C0C0FF;  // light red: the first name cannot be edited
constexpr COLORREF kOtherBoxColour = 0x00C0FFC0;  // light green

std::string TextOf(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
}
}  // namespace

void AutoActivationPanels::Create(HINSTANCE instance, HWND parent, ScaledLayout& layout, PanelsEvents& events) {
    m_events = &events;
    m_firstBoxBrush.Reset(CreateSolidBrush(kFirstBoxColour));
    m_otherBoxBrush.Reset(CreateSolidBrush(kOtherBoxColour));
    auto control = [&](HWND panel, const wchar_t* cls, const wchar_t* text, DWORD style, int id, TwipsRect rect,
                       Fit fit, DWORD exStyle = 0) {
        return layout.Create(instance, panel, cls, text, WS_VISIBLE | style, id, rect, FontRole::Panel, fit, exStyle);
    };

    // Created first, so that it lies behind the watched-programs panel.
    const HWND programs = m_FrProgramas.Create(instance, parent, ids::FrProgramas, layout, {0, 0, 2400, 1905});
    control(programs, L"STATIC", L"Programas que pueden activan/desactivar la gamma.", SS_LEFT, ids::Label9,
            {90, 180, 2175, 420}, Fit::WrappingCaption);
    for (int box = 0; box < 4; ++box) {
        m_busqueda_Proceso[static_cast<std::size_t>(box)] =
            control(programs, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, ids::busqueda_Proceso1 + box,
                    {90, 585 + 315 * box, 1905, 285}, Fit::Caption, WS_EX_CLIENTEDGE);
    }
    EnableWindow(m_busqueda_Proceso[0], FALSE);
    m_Command1 = control(programs, L"BUTTON", L"0k", BS_PUSHBUTTON | WS_TABSTOP, ids::Command1,
                         {2025, 585, 330, 1230}, Fit::Caption);

    const HWND activation = m_FrActivacion.Create(instance, parent, ids::FrActivacion, layout, {0, 0, 2400, 1365});
    control(activation, L"STATIC", L"Activar junto al Counter-Strike o cualquier MOD del HL", SS_LEFT, ids::Label5,
            {90, 270, 2220, 465}, Fit::WrappingCaption);
    m_Check1 = control(activation, L"BUTTON", L"Activación automática", BS_AUTOCHECKBOX | WS_TABSTOP, ids::Check1,
                       {90, 720, 1950, 195}, Fit::Caption);
    m_btOtrosProgramas = control(activation, L"BUTTON", L"Otros programas", BS_PUSHBUTTON | WS_TABSTOP,
                                 ids::btOtrosProgramas, {90, 1080, 1365, 240}, Fit::Caption);
    EnableWindow(m_btOtrosProgramas, FALSE);
    m_btAutoactivar = control(activation, L"BUTTON", L"Aceptar", BS_PUSHBUTTON | WS_TABSTOP, ids::btAutoactivar,
                              {1530, 1080, 780, 240}, Fit::Caption);
    layout.FitPanel(programs);
    layout.FitPanel(activation);
    // The watched-programs panel lies in front of the automatic-activation panel.
    SetWindowPos(programs, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void AutoActivationPanels::SetChecked(bool checked) {
    SendMessageW(m_Check1, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void AutoActivationPanels::EnableOtrosProgramas(bool enabled) { EnableWindow(m_btOtrosProgramas, enabled); }

void AutoActivationPanels::SetNames(const std::array<std::string, 4>& names) {
    for (std::size_t box = 0; box < names.size(); ++box)
        SetWindowTextW(m_busqueda_Proceso[box], Widen(names[box]).c_str());
}

void AutoActivationPanels::ShowActivationPanel(bool shown) {
    if (!shown) {
        ShowWindow(m_FrActivacion.Handle(), SW_HIDE);
        return;
    }
    // An open watched-programs panel stays in front: it belongs to this one.
    const HWND above = IsWindowVisible(m_FrProgramas.Handle()) ? m_FrProgramas.Handle() : HWND_TOP;
    SetWindowPos(m_FrActivacion.Handle(), above, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
    if (FrontPanel() == m_FrActivacion.Handle()) FocusFirst(m_FrActivacion.Handle());
}

void AutoActivationPanels::ShowProgramsPanel(bool shown) {
    if (shown) {
        SetWindowPos(m_FrProgramas.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
        FocusFirst(m_FrProgramas.Handle());
    } else {
        const bool hadFocus = IsChild(m_FrProgramas.Handle(), GetFocus());
        ShowWindow(m_FrProgramas.Handle(), SW_HIDE);
        // Back to the panel behind it, where the keyboard was before.
        if (hadFocus && FrontPanel()) FocusFirst(FrontPanel());
    }
}

void AutoActivationPanels::FocusFirst(HWND panel) {
    // The keyboard goes where the player will type: the panel's first control that takes it.
    if (const HWND first = GetNextDlgTabItem(panel, nullptr, FALSE)) SetFocus(first);
}

bool AutoActivationPanels::Tab(bool backwards) {
    const HWND panel = FrontPanel();
    if (!panel) return false;
    const HWND focus = GetFocus();
    const HWND next = GetNextDlgTabItem(panel, IsChild(panel, focus) ? focus : nullptr, backwards ? TRUE : FALSE);
    if (next) SetFocus(next);
    return true;
}

HWND AutoActivationPanels::FrontPanel() const {
    if (IsWindowVisible(m_FrProgramas.Handle())) return m_FrProgramas.Handle();
    if (IsWindowVisible(m_FrActivacion.Handle())) return m_FrActivacion.Handle();
    return nullptr;
}

HWND AutoActivationPanels::DefaultButton() const {
    const HWND front = FrontPanel();
    return front == m_FrProgramas.Handle() ? m_Command1 : front ? m_btAutoactivar : nullptr;
}

bool AutoActivationPanels::OnCommand(int id, int code) {
    if (id >= ids::busqueda_Proceso1 && id < ids::busqueda_Proceso1 + 4) {
        const int box = id - ids::busqueda_Proceso1;
        if (code == EN_CHANGE) m_events->NameEdited(box, TextOf(m_busqueda_Proceso[static_cast<std::size_t>(box)]));
        return true;
    }
    if (code != BN_CLICKED) return false;
    switch (id) {
        case ids::Check1:
            m_events->Check1_Click(SendMessageW(m_Check1, BM_GETCHECK, 0, 0) == BST_CHECKED);
            return true;
        case ids::btAutoactivar: m_events->btAutoactivar_Click(); return true;
        case ids::btOtrosProgramas: m_events->btOtrosProgramas_Click(); return true;
        case ids::Command1: m_events->Command1_Click(); return true;
        default: return false;
    }
}

std::optional<LRESULT> AutoActivationPanels::OnCtlColor(HDC dc, HWND control) const {
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
    return std::nullopt;
}

}  // namespace lumeq
