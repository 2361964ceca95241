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
    auto programs = m_programsPanel.Create(instance, parent, ProgramsPanel(), layout);
    auto activation = m_autoPanel.Create(instance, parent, ActivationPanel(), layout);
    for (std::size_t box = 0; box < m_nameBoxes.size(); ++box)
        m_nameBoxes[box] = programs[kBoxNames[box]];
    m_programsOkButton = programs["Command1"];
    m_autoTick = activation["Check1"];
    m_otherProgramsButton = activation["btOtrosProgramas"];
    m_acceptButton = activation["btAutoactivar"];
    EnableWindow(m_nameBoxes[0], FALSE);
    EnableWindow(m_otherProgramsButton, FALSE);
    // The watched-programs panel lies in front of the automatic-activation panel.
    SetWindowPos(m_programsPanel.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void AutoActivationPanels::SetChecked(bool checked) {
    SendMessageW(m_autoTick, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void AutoActivationPanels::EnableOtherPrograms(bool enabled) { EnableWindow(m_otherProgramsButton, enabled); }

void AutoActivationPanels::SetNames(const std::array<std::string, 4>& names) {
    for (std::size_t box = 0; box < names.size(); ++box)
        SetWindowTextW(m_nameBoxes[box], Widen(names[box]).c_str());
}

void AutoActivationPanels::ShowAutoActivationPanel(bool shown) {
    if (!shown) {
        ShowWindow(m_autoPanel.Handle(), SW_HIDE);
        return;
    }
    // An open watched-programs panel stays in front: it belongs to this one.
    const HWND above = IsWindowVisible(m_programsPanel.Handle()) ? m_programsPanel.Handle() : HWND_TOP;
    SetWindowPos(m_autoPanel.Handle(), above, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
    if (FrontPanel() == m_autoPanel.Handle()) FocusFirst(m_autoPanel.Handle());
}

void AutoActivationPanels::ShowProgramsPanel(bool shown) {
    if (shown) {
        SetWindowPos(m_programsPanel.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
        FocusFirst(m_programsPanel.Handle());
    } else {
        const bool hadFocus = IsChild(m_programsPanel.Handle(), GetFocus());
        ShowWindow(m_programsPanel.Handle(), SW_HIDE);
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
    if (IsWindowVisible(m_programsPanel.Handle())) return m_programsPanel.Handle();
    if (IsWindowVisible(m_autoPanel.Handle())) return m_autoPanel.Handle();
    return nullptr;
}

HWND AutoActivationPanels::DefaultButton() const {
    const HWND front = FrontPanel();
    return front == m_programsPanel.Handle() ? m_programsOkButton : front ? m_acceptButton : nullptr;
}

bool AutoActivationPanels::OnCommand(int id, int code) {
    if (id >= ids::kNameBox1 && id < ids::kNameBox1 + 4) {
        const int box = id - ids::kNameBox1;
        if (code == EN_CHANGE) m_events->NameEdited(box, TextOf(m_nameBoxes[static_cast<std::size_t>(box)]));
        return true;
    }
    if (code != BN_CLICKED) return false;
    switch (id) {
        case ids::kAutoTick:
            m_events->AutoActivationTicked(SendMessageW(m_autoTick, BM_GETCHECK, 0, 0) == BST_CHECKED);
            return true;
        case ids::kAcceptButton: m_events->AcceptAutoActivation(); return true;
        case ids::kOtherProgramsButton: m_events->OpenProgramsPanel(); return true;
        case ids::kProgramsOkButton: m_events->AcceptPrograms(); return true;
        default: return false;
    }
}

std::optional<LRESULT> AutoActivationPanels::OnCtlColor(HDC dc, HWND control) const {
    // The first box is disabled, and a disabled edit box asks for a static's colours.
    if (control == m_nameBoxes[0]) {
        SetBkColor(dc, kFirstBoxColour);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(m_firstBoxBrush.Get());
    }
    for (std::size_t box = 1; box < m_nameBoxes.size(); ++box) {
        if (control == m_nameBoxes[box]) {
            SetBkColor(dc, kOtherBoxColour);
            return reinterpret_cast<LRESULT>(m_otherBoxBrush.Get());
        }
    }
    return std::nullopt;
}

}  // namespace lumeq
