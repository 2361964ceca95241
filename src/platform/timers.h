#pragma once
// The platform's timers, by the core's names: each shell gives them their own.
namespace lumeq {

enum class TimerId {
    WatcherRearm,       // the watcher's re-arm, 500 ms after a switch-off
    WatcherTick,  // the watcher's tick, every second
    ScreenshotDelay,      // the delay before a screenshot
    ShowAgain,           // the window brought back 300 ms after a double click on the icon
    RampWatch,        // the boosted ramp looked at once a second
    ForegroundLook,   // the boosted ramp looked at again, a tenth of a second apart, after a window took the foreground
    StripHide,           // the strip hidden 8 s after its last text
};
inline constexpr int kTimerCount = static_cast<int>(TimerId::StripHide) + 1;

class Timers {
public:
    virtual ~Timers() = default;
    // (Re)starts a timer: it fires after `ms`, and again every `ms` until stopped.
    virtual void Start(TimerId timer, unsigned ms) = 0;
    virtual void Stop(TimerId timer) = 0;
};

}  // namespace lumeq
