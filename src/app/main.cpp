#include <windows.h>

#include <cstdlib>
#include <exception>

#include "app/form_main.h"
#include "gamma/display_win32.h"
#include "platform/registry_capture_journal.h"

namespace {

// Whatever ends the program abnormally, the displays get their own ramps back first.
LONG WINAPI RestoreDisplaysOnCrash(EXCEPTION_POINTERS*) {
    lumeq::ScreenDisplays displays;
    lumeq::RestoreOwnRecord(displays);
    return EXCEPTION_CONTINUE_SEARCH;
}

void RestoreDisplaysOnTerminate() {
    lumeq::ScreenDisplays displays;
    lumeq::RestoreOwnRecord(displays);
    std::abort();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    {
        // Before anything else: a previous run that crashed or was killed while boosted.
        lumeq::ScreenDisplays displays;
        lumeq::RecoverDisplaysAfterCrash(displays);
    }
    SetUnhandledExceptionFilter(RestoreDisplaysOnCrash);
    std::set_terminate(RestoreDisplaysOnTerminate);

    lumeq::FormMain form(instance);
    if (!form.Form_Load()) return 1;
    return form.Run();
}
