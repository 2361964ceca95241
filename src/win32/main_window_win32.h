#pragma once
// The main window: the window itself, its menus, and the wiring between the Win32
// platform and the program's core (AppCore), which decides everything. It translates
// messages into the core's commands and carries out what the core asks of the window.
#include <windows.h>

#include <array>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "app/app_core.h"
#include "win32/tray_icon_win32.h"
#include "win32/panels_win32.h"
#include "win32/registry_stores_win32.h"
#include "win32/display_win32.h"
#include "win32/foreground_watch_win32.h"
#include "win32/strip_window_win32.h"
#include "win32/unique_handle_win32.h"
#include "win32/screenshot_controls_win32.h"
#include "win32/screenshot_store_win32.h"
#include "win32/settings_store_win32.h"
#include "win32/base_window_win32.h"
#include "win32/scaled_layout_win32.h"

namespace lumeq {

// The icon's popup menu, from the same layout as the menu bar (see menus_win32.cpp).
HMENU BuildPopupMenu();

class MainWindow : public BaseWindow<MainWindow>, private MainView, private Timers, private ProcessList,
                 private LevelView, private StartupShell {
public:
    // `record`: the record of the ramps to give back, this run's one.
    MainWindow(HINSTANCE instance, ScreenDisplays& displays, CrashRecord& record);

    // Creates the window and runs the start-up sequence. False when the window could
    // not be created at all.
    // `recovery`: what the start-up's recovery left to tell.
    bool Load(const CrashRecord::Recovery& recovery);
    // The message loop; returns when the program ends.
    int Run();
    // The panels' keyboard: true when the message was theirs.
    bool PanelKey(const MSG& message);
    // What the start-up's recovery found, told once.
    void Tell(Notice notice) { m_core.Tell(notice); }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    // The window, its controls and its size.
    void CreateControls();
    void CreateHiddenControls();
    void FinishStart();
    void RedrawMenuBar();
    HWND CreateLabel(int id, const wchar_t* text, TwipsRect rect, DWORD style, FontRole font, Fit fit);
    void SetFixedSize();
    void RemoveMaximiseAndSystemMenuEntry();
    void OnDpiChanged(int dpi, const RECT* suggested);
    void FitStrip();
    LRESULT OnCtlColorStatic(HDC dc, HWND control);

    // Menus and commands.
    void CreateMenus();
    bool IsMenuEntryEnabled(unsigned id) const;
    void OnCommand(unsigned id);
    void OnControlCommand(int id, int code);

    // Hot keys and the nested pump of their dispatcher.
    void DispatchHotKey(int id);
    void PumpWaitingMessages();

    // Leaving: "Salir" of either menu, and the end of the Windows session.
    void ExitSequence(bool unregisterHotKeys);

    // Placement, the information box, the site links and the first run.
    std::string ScreenResolution() const;
    void ShowResolution();
    void KeepOnScreen();
    void ShowInformation();
    void OpenSite();
    void OpenScreenshotsFolder();
    void TellIfFolderReadOnly();

    // StartupShell: the start-up's steps, in the order the core asks for them.
    void RegisterHotKeys() override;
    void SizeAndPlace() override;
    bool ScreenshotsFolderFound() override;
    bool MakeScreenshotsFolder() override;
    void FirstRunBox() override;
    void ShowMainWindow() override;

    // MainView.
    void SetField(Field field, std::string_view text) override;
    void SetCaptionColour(Rgb colour) override;
    void SetMenuEntry(Command entry, bool enabled) override;
    void SetFolderCaption(std::string_view caption) override;
    void Window(WindowRequest request) override;
    void OpenPopup() override;
    // Timers.
    void Start(TimerId timer, unsigned ms) override;
    void Stop(TimerId timer) override;
    // ProcessList: a snapshot, with waiting messages let through after each process.
    std::vector<ProcessEntry> ListProcesses() override;
    std::optional<std::uintptr_t> ForegroundWindow() override {
        return reinterpret_cast<std::uintptr_t>(GetForegroundWindow());
    }
    // LevelView: the level slider, a real trackbar kept outside the visible client area.
    void ShowLevel(const LevelState& level) override;

    HINSTANCE m_instance;
    ScaledLayout m_layout;
    HMENU m_menuBar = nullptr;  // owned by the window
    UniqueMenu m_popupMenu;     // the icon's popup, never on the menu bar
    TrayIcon m_tray;
    StripWindow m_strip;
    AutoActivationPanels m_panels;
    ScreenshotControls m_screenshotControls;

    HWND m_banner = nullptr;
    HWND m_nameCaption = nullptr;
    HWND m_signatureCaption = nullptr;
    HWND m_levelCaption = nullptr;
    std::map<Field, HWND> m_fields;            // the mirrors of the core's state
    std::map<Field, std::wstring> m_fieldTexts;  // what the core told them, made or not
    bool m_started = false;
    COLORREF m_stripColour = 0;
    UniqueBrush m_stripBrush;
    UniqueBrush m_bannerBrush;
    std::array<bool, 4> m_hotKeyTaken{};

    // The ports the core drives, then the core.
    ScreenDisplays& m_display;
    // What the core writes through: the displays themselves, or in the test build a wrapper
    // that can be told to refuse writes.
    std::unique_ptr<DisplayRamp> m_testDisplays;
    DisplayRamp& m_displays;
    RegistryLevelStore m_levelStore;
    HWND m_levelSlider = nullptr;  // made once the window shows
    LevelState m_shownLevel;       // what it shows, or is to show once made
    SettingsStore m_settings;
    Win32ScreenshotStore m_screenshots;
    AppCore m_core;
    std::unique_ptr<ForegroundWatch> m_foreground;  // while boosted, the ramp looked at as a window comes
    std::shared_ptr<void> m_testProbe;  // the test build's probe, inside the program
};

}  // namespace lumeq
