#pragma once
// Screenshots from the request to the file: the short delay, the capture, the next free
// number and the counter stored, what the window tells of the new ones, and the folder
// counted (with its warning at 40 files).
#include <cstdint>
#include <functional>
#include <string>

#include "platform/timers.h"
#include "screenshots/screenshot_ports.h"
#include "settings/settings_keeper.h"
#include "ui/main_view.h"

namespace lumeq {

class ScreenshotSequence {
public:
    struct Ports {
        Timers& timers;
        ScreenshotStore& store;
        ScreenshotsView& view;
        MainView& main;
        SettingsKeeper& settings;
    };
    // `warned` hears of the folder warning, which shows the window.
    ScreenshotSequence(Ports ports, std::string decimalSeparator, std::function<void()> warned)
        : m_ports(ports), m_decimalSeparator(std::move(decimalSeparator)), m_warned(std::move(warned)) {}

    // Start-up: none taken in this run, the folder counted, its count in the menus.
    void Start();
    void TakeScreenshot();              // Ctrl+F2: 50 ms later
    void ScreenshotFromMenu();  // a menu entry: 250 ms later
    void OnScreenshotDelay();
    void RecountFolder();

private:
    void SetTaken(std::int64_t taken);

    Ports m_ports;
    std::string m_decimalSeparator;
    std::function<void()> m_warned;
    std::int64_t m_taken = 0;  // NewScreenshots
    std::int64_t m_count = 0;  // FolderFileCount
};

}  // namespace lumeq
