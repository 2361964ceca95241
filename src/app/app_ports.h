#pragma once
// What the program's core needs from the shell besides what its parts take (the main
// window, ui/main_view.h; the timers, platform/timers.h; the strip, the displays, the
// panels, the screenshots, the settings file): the steps of the start-up it leads.
namespace lumeq {

// What the start-up asks of the shell, in the order it asks (see AppCore::StartUp).
class StartupShell {
public:
    virtual ~StartupShell() = default;
    virtual void RegisterHotKeys() = 0;
    // The window's fixed size, and its place on the screen.
    virtual void SizeAndPlace() = 0;
    // The screenshots folder, or a plain file of its name: a program that ran before.
    virtual bool ScreenshotsFolderFound() = 0;
    // False when it cannot be made (a read-only program folder).
    virtual bool MakeScreenshotsFolder() = 0;
    // The first run's information box, which tells what the keys do.
    virtual void FirstRunBox() = 0;
    // Shown in its normal state.
    virtual void ShowMainWindow() = 0;
};

}  // namespace lumeq
