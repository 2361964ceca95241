#pragma once
// What the program's core needs from the main window and the platform's timers. The
// other ports live with their subsystems (panels, screenshots, settings, strip, gamma).
#include <string_view>

#include "app/activation_model.h"

namespace lumeq {

enum class TimerId { TimerReset, activacionTimer, TimerScreen, Timer2, RampWatch };

class Timers {
public:
    virtual ~Timers() = default;
    // (Re)starts a timer: it fires after `ms`, and again every `ms` until stopped.
    virtual void Start(TimerId timer, unsigned ms) = 0;
    virtual void Stop(TimerId timer) = 0;
};

// The state fields that the window keeps as hidden text controls, written from the
// core's typed state for anyone reading the window (the end-to-end tests); never read back.
enum class Field {
    estadoTxt,
    estado_txt,
    LbIndicador,
    txtOculta,
    txtActivacion,
    screenText,
    TxtScreenNuevas,
    txtCantidad,
    FileSizeMB,
    Resolution,
};

enum class WindowRequest {
    Show,              // shown as it was
    Hide,              // hidden to the notification area
    BringBack,         // shown in its normal state and brought to the front
};

// A desktop's own night light (KDE Plasma's Night Color), asked to hold off while the
// boost is on, so that the two do not take turns on the screen.
class NightLight {
public:
    virtual ~NightLight() = default;
    virtual void Hold(bool hold) = 0;
};

// The main window: its mirrors, colours, menus and visibility.
class MainView {
public:
    virtual ~MainView() = default;
    virtual void SetField(Field field, std::string_view text) = 0;
    virtual void SetStripColour(Colour colour) = 0;
    virtual void SetMenuEntry(MenuEntry entry, bool enabled) = 0;
    virtual void SetFolderCaption(std::string_view caption) = 0;  // both open-folder entries
    virtual void Window(WindowRequest request) = 0;
    virtual void OpenPopup() = 0;
};

}  // namespace lumeq
