// Switching the boosted gamma on and off, and stepping its level.
#include <windows.h>
#include <commctrl.h>

#include "app/control_ids.h"
#include "app/form_main.h"
#include "gamma/level_step.h"
#include "gamma/level_text.h"
#include "indicator/indicator_text.h"
#include "platform/text.h"
#include "platform/ui_style.h"

namespace lumeq {


std::string FormMain::CurrentLevelText() const {
    return LevelText(m_SliderGamma.Position(), UserDecimalSeparator());
}

void FormMain::btActivar_Click() {
    SetStripColour(StripColour(true));
    SetText(m_estadoTxt, EstadoText(true));
    if (!m_GammaEngine) m_GammaEngine = std::make_unique<GammaConfig>(m_display, m_levelStore, &m_journal);
    m_GammaEngine->Initialize(m_SliderGamma);
    // While on, the displays are read back once a second (see KeepBoostOn).
    SetTimer(m_hwnd, ids::RampWatch, 1000, nullptr);
    ApplyMenuStates(true);
    ShowLevel();
    // The player must know when the display would not take the level's ramp.
    if (m_GammaEngine->HasCapture() && m_GammaEngine->LastRampRefused())
        m_FormIndicador.ShowLevel(Text(m_LbIndicador), /*refused=*/true);
}

void FormMain::btDesactivar_Click() {
    SetStripColour(StripColour(false));
    SetText(m_estadoTxt, EstadoText(false));
    if (m_GammaEngine) {
        const bool givenBack = m_GammaEngine->Release();
        m_GammaEngine.reset();
        if (!givenBack) TellRestoreFailed();
    }
    KillTimer(m_hwnd, ids::RampWatch);
    ApplyMenuStates(false);
    SetTimer(m_hwnd, ids::TimerReset, 500, nullptr);
}

void FormMain::TellRestoreFailed() {
    if (m_toldRestoreFailed) return;
    m_toldRestoreFailed = true;
    m_FormIndicador.ShowText(RestoreFailedText());
}

void FormMain::ShowLevel() {
    const std::string text = CurrentLevelText();
    SetText(m_estado_txt, text);
    SetText(m_LbIndicador, text);
}

void FormMain::StepLevel(int step) {
    const StepOutcome outcome = lumeq::StepLevel(m_SliderGamma, step, m_GammaEngine.get());
    ShowLevel();
    // btAumentar and btDisminuir of the strip do the same; the refusal changes the wording.
    m_FormIndicador.ShowLevel(Text(m_LbIndicador), !outcome.rampAccepted);
}

void FormMain::OnSliderScroll(WPARAM wParam, LPARAM lParam) {
    // Only the slider's own input reaches here: setting its position from code sends
    // no notification. The end of a drag repeats the last position and is skipped.
    if (reinterpret_cast<HWND>(lParam) != m_SliderGamma.Handle() || LOWORD(wParam) == TB_ENDTRACK) return;
    if (!m_GammaEngine) return;
    m_GammaEngine->OnSliderInput();
    SetText(m_estado_txt, CurrentLevelText());
}

void FormMain::RegisterHotKeys() {
    for (int id = 0; id < static_cast<int>(m_hotKeyRegistered.size()); ++id)
        m_hotKeyRegistered[static_cast<std::size_t>(id)] =
            RegisterHotKey(m_hwnd, id, MOD_CONTROL, VK_F1 + static_cast<UINT>(id)) != FALSE;
}

void FormMain::PumpWaitingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void FormMain::DispatchHotKey(int id) {
    // Back to the normal state without showing a hidden window, and without taking
    // activation from the game in front.
    if (IsWindowVisible(m_hwnd) && IsIconic(m_hwnd)) ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
    PumpWaitingMessages();
    switch (DecideHotKey(id, Text(m_estadoTxt))) {
        case HotKeyAction::Activate:
            btActivar_Click();
            break;
        case HotKeyAction::Deactivate:
            btDesactivar_Click();
            break;
        case HotKeyAction::StepDown:
            btMenosGamma_Click();
            break;
        case HotKeyAction::StepUp:
            btMasGamma_Click();
            break;
        case HotKeyAction::Screenshot:
            btScreen_Click();
            break;
        case HotKeyAction::None:
            break;
    }
}

}  // namespace lumeq
