#pragma once
// The main window as the core sees it: its hidden state fields, the colour of its strip
// of labels, its menus' entries and its visibility; in the core's own words, which each
// shell turns into its platform's.
#include <cstdint>
#include <optional>
#include <string_view>

namespace lumeq {

// A colour as a person names it: red, green, blue.
struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

// Every entry of the two menus, by its name; each menu has entries of its own for the
// same action (the shells give them the identifiers their platforms want).
enum class Command {
    // The menu bar.
    BarLeave, BarSwitchOn, BarSwitchOff, BarLevelUp, BarLevelDown, BarAutoActivation, BarScreenshot,
    BarOpenFolder, BarInformation, BarSite,
    // The icon's popup menu.
    PopupSite, PopupInformation, PopupScreenshot, PopupOpenFolder, PopupLevelUp,
    PopupLevelDown, PopupSwitchOff, PopupSwitchOn, PopupAutoActivation, PopupRestore, PopupLeave,
};
inline constexpr int kCommandCount = static_cast<int>(Command::PopupLeave) + 1;

// The state fields that the window keeps as hidden text controls, written from the
// core's typed state for anyone reading the window (the end-to-end tests); never read back.
enum class Field {
    BoostState,
    LevelBesideSlider,
    LevelCaption,
    WindowHidden,
    AutoActivationFlag,
    ScreenshotCounter,
    NewScreenshots,
    FolderFileCount,
    FolderSizeText,
    Resolution,
};
inline constexpr int kFieldCount = static_cast<int>(Field::Resolution) + 1;

// "estadoTxt", ...: the names the tests' probes speak.
std::string_view FieldName(Field field);
// What a field holds before the core writes it.
std::string_view InitialText(Field field);

enum class WindowRequest {
    Show,       // shown as it was
    Hide,       // hidden to the notification area
    BringBack,  // shown in its normal state and brought to the front
};

class MainView {
public:
    virtual ~MainView() = default;
    virtual void SetField(Field field, std::string_view text) = 0;
    virtual void SetCaptionColour(Rgb colour) = 0;
    virtual void SetMenuEntry(Command entry, bool enabled) = 0;
    virtual void SetFolderCaption(std::string_view caption) = 0;  // both open-folder entries
    virtual void Window(WindowRequest request) = 0;
    virtual void OpenPopup() = 0;
    // Which window has the foreground, where the system can say at any time (Windows); the
    // boost then looks at it ten times a second. Nothing where the shell tells of changes
    // itself.
    virtual std::optional<std::uintptr_t> ForegroundWindow() { return std::nullopt; }
};

}  // namespace lumeq
