#pragma once
// The main window: owner of the program's state, the gamma engine, the menus and the
// timers. The methods keep the names of the commands they stand for.
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "app/activation_model.h"
#include "app/hotkey_model.h"
#include "app/scaled_layout.h"
#include "app/tray_icon.h"
#include "autoactivation/process_watcher.h"
#include "app/trackbar_slider.h"
#include "gamma/display_win32.h"
#include "gamma/gamma_config.h"
#include "indicator/form_indicador.h"
#include "platform/registry_capture_journal.h"
#include "platform/registry_level_store.h"
#include "platform/unique_handle.h"
#include "settings/settings_file.h"
#include "settings/settings_store_win32.h"

namespace lumeq {

class FormMain : private WatcherHost {
public:
    explicit FormMain(HINSTANCE instance);
    FormMain(const FormMain&) = delete;
    FormMain& operator=(const FormMain&) = delete;

    // Creates the window and runs the start-up sequence. False when the window could
    // not be created at all.
    bool Form_Load();
    // The message loop; returns when the program ends.
    int Run();
    // Tells the player, once, that a display did not take its own ramp back.
    void TellRestoreFailed();

private:
    template <typename Window>
    friend LRESULT CALLBACK WindowProcOf(HWND, UINT, WPARAM, LPARAM) noexcept;
    void AttachWindow(HWND window) { m_hwnd = window; }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Window creation and the hidden controls.
    bool CreateMainWindow();
    void CreateControls();
    HWND CreateLabel(int id, const wchar_t* text, TwipsRect rect, DWORD style, FontRole font, Fit fit);
    void FitStrip();
    HWND CreateStateField(int id, const wchar_t* initial);
    void OnDpiChanged(int dpi, const RECT* suggested);

    // Start-up steps and the single-instance rule.
    void SetFixedSize();
    void RemoveMaximiseAndSystemMenuEntry();

    // Menus.
    void CreateMenus();
    void OnCommand(unsigned id);
    void ShowPopupMenu();
    bool IsMenuEntryEnabled(unsigned id) const;
    void ApplyMenuStates(bool on);

    // Activation state.
    void btActivar_Click();
    void btDesactivar_Click();
    void SetStripColour(Colour colour);
    void ShowLevel();
    std::string CurrentLevelText() const;

    // Level steps.
    void btMasGamma_Click() { StepLevel(+1); }
    void btMenosGamma_Click() { StepLevel(-1); }
    void StepLevel(int step);
    void OnSliderScroll(WPARAM wParam, LPARAM lParam);

    // Hot keys.
    void RegisterHotKeys();
    void DispatchHotKey(int id);
    void PumpWaitingMessages();

    // Shut-down and closing.
    void Salir_Click();
    void FunctionsSalir_Click();
    void ExitSequence(bool unregisterHotKeys);
    void OnCloseRequest();

    // The notification-area icon.
    void OnTrayEvent(int code);
    void Timer2_Timer();
    void FunctionsRestaurar_Click();

    // Settings file.
    void funLeerConfig();
    // A write the user did not ask for (after a screenshot) is skipped while the file
    // could not be read.
    void funGuardarConfig(bool askedByUser = true);
    Settings CurrentSettings() const;

    // Automatic activation: the watcher's host, its panels and their handlers.
    std::string ListProcesses() override;
    void Activate() override { btActivar_Click(); }
    void Deactivate() override { btDesactivar_Click(); }
    std::string NameBox(int index) const override;
    void CreatePanels();
    void ApplyStoredActivation();
    void OnControlCommand(int id, int code);
    void menuActivacion_Click();
    void menuActivacionauto_Click();
    void Check1_Click();
    void btAutoactivar_Click();
    void btOtrosProgramas_Click();
    void Command1_Click();
    void busqueda_Proceso_Change(int index);
    LRESULT OnCtlColorNameBox(UINT message, HDC dc, HWND control);

    // Screenshots and the folder that keeps them.
    void CreateScreenshotControls();
    void btScreen_Click();
    void menuCapturarPantalla_Click();
    void menuCapturarPantalla2_Click();
    void TimerScreen_Timer();
    void btCantidadArch_Click();
    void OpenScreenshotsFolder();  // Command2, menuAbrirDirectorio, FunctionsScreenshot
    void btadveroOK_Click();
    void SetFolderCaptions(bool newScreenshots);

    // Layout, the information box and the site links.
    std::string ScreenResolution() const;
    void btResolution_Click();
    // Wholly inside the primary monitor's work area, as near where it is as fits.
    void KeepOnScreen();
    void funMostrarInformacion();
    void OpenSite();  // btlink, FunctionsLink, Image1, Label3
    void FirstRunCheck();

    // Keeping the boost on the displays, and never leaving it behind.
    void KeepBoostOn();
    void OnEndSession();

    void OnTimer(UINT_PTR id);
    void TimerReset_Timer();
    LRESULT OnCtlColorStatic(HDC dc, HWND control);

    // State fields (hidden text controls).
    std::string Text(HWND field) const;
    void SetText(HWND field, std::string_view text);

    HINSTANCE m_instance;
    HWND m_hwnd = nullptr;
    ScaledLayout m_layout;
    int m_hiddenFieldCount = 0;

    ScreenDisplays m_display;
    RegistryCaptureJournal m_journal;
    RegistryLevelStore m_levelStore;
    TrackbarSlider m_SliderGamma;
    std::unique_ptr<GammaConfig> m_GammaEngine;
    FormIndicador m_FormIndicador;

    HMENU m_menuBar = nullptr;  // owned by the window
    UniqueMenu m_mnuFunctions;  // the icon's popup, never on the menu bar
    TrayIcon m_tray;
    UINT m_taskbarCreated = 0;

    HWND m_Image1 = nullptr;
    HWND m_Resolution = nullptr;
    HWND m_Label3 = nullptr;
    HWND m_Label4 = nullptr;
    HWND m_LbIndicador = nullptr;
    HWND m_estadoTxt = nullptr;
    HWND m_estado_txt = nullptr;
    HWND m_txtOculta = nullptr;

    Colour m_stripColour = kStripOff;
    UniqueGdiObject m_stripBrush;
    UniqueGdiObject m_bannerBrush;

    HWND m_TxtScreenNuevas = nullptr;
    HWND m_Text1 = nullptr;
    HWND m_Text2 = nullptr;
    HWND m_txtCantidad = nullptr;
    HWND m_FileSizeMB = nullptr;
    HWND m_ScreenNuevas = nullptr;
    HWND m_Frame3 = nullptr;
    HWND m_Label6 = nullptr;
    HWND m_Label7 = nullptr;
    UniqueGdiObject m_screenNuevasBrush;

    ProcessWatcher m_watcher{*this};
    SettingsStore m_settings;
    SettingsMemory m_settingsMemory;
    HWND m_screenText = nullptr;
    HWND m_txtActivacion = nullptr;
    HWND m_FrActivacion = nullptr;
    HWND m_Check1 = nullptr;
    HWND m_btOtrosProgramas = nullptr;
    HWND m_FrProgramas = nullptr;
    std::array<HWND, 4> m_busqueda_Proceso{};
    UniqueGdiObject m_firstBoxBrush;
    UniqueGdiObject m_otherBoxBrush;

    std::array<bool, 4> m_hotKeyRegistered{};
    bool m_toldRestoreFailed = false;
};

}  // namespace lumeq
