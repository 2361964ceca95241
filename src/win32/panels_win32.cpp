#include "win32/panels_win32.h"

#include "win32/text_win32.h"
#include "win32/control_ids.h"

namespace lumeq {

namespace {
constexpr COLORREF kFirstBoxColour = 0x00C0C0FF;  // light red: the first name cannot be edited
constexpr COLORREF kOtherBoxColour = 0x00C0FFC0;  // light green
constexpr std::string_view kBoxNames[] = {"busqueda_Proceso1", "busqueda_Proceso2", "busqueda_Proceso3",
                                          "busqueda_Proceso4"};

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
    // Made first, so that it lies behind the watched-programs panel.
    auto programs = m_FrProgramas.Create(instance, parent, ProgramsPanel(), layout);
    auto activation = m_FrActivacion.Create(instance, parent, ActivationPanel(), layout);
    for (std::size_t box = 0; box < m_busqueda_Proceso.size(); ++box)
        m_busqueda_Proceso[box] = programs[kBoxNames[box]];
    m_Command1 = programs["Command1"];
    m_Check1 = activation["Check1"];
    m_btOtrosProgramas = activation["btOtrosProgramas"];
    m_btAutoactivar = activation["btAutoactivar"];
    EnableWindow(m_busqueda_Proceso[0], FALSE);
    EnableWindow(m_btOtrosProgramas, FALSE);
    // The watched-programs panel lies in front of the automatic-activation panel.
    SetWindowPos(m_FrProgramas.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
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
