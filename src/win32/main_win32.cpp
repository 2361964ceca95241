#include <windows.h>

#include <cstdlib>
#include <exception>
#include <memory>

#include "app/layout_model.h"
#include "win32/main_window_win32.h"
#include "win32/text_win32.h"
#include "win32/display_win32.h"
#include "win32/record_registry_win32.h"
#include "win32/com_ptr_win32.h"
#include "win32/unique_handle_win32.h"

namespace {

constexpr wchar_t kInstanceMutexName[] = L"lumeq gamma single instance";

// Whatever ends the program abnormally, the displays get their own ramps back first.
void RestoreOwnRecord() {
    lumeq::ScreenDisplays displays;
    lumeq::RegistryRecordStorage storage;
    lumeq::CrashRecord(storage, lumeq::ThisRun(), lumeq::IsRunRunning).RestoreOwn(displays);
}

LONG WINAPI RestoreDisplaysOnCrash(EXCEPTION_POINTERS*) {
    RestoreOwnRecord();
    return EXCEPTION_CONTINUE_SEARCH;
}

void RestoreDisplaysOnTerminate() {
    RestoreOwnRecord();
    std::abort();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // A second copy is turned away before it has a window, an icon or a timer, and
    // before it touches the display, the registry or the settings file: all of them
    // belong to the copy that runs.
    lumeq::UniqueHandle instanceMutex(CreateMutexW(nullptr, FALSE, kInstanceMutexName));
    if (instanceMutex && GetLastError() == ERROR_ALREADY_EXISTS) {
        MessageBoxW(nullptr, lumeq::Widen(lumeq::WindowsLineBreaks(lumeq::kAlreadyRunningText)).c_str(), L"lumeq gamma",
                    MB_ICONERROR);
        return 0;
    }
    lumeq::CrashRecord::Recovery recovery;
    {
        // Before anything else: a previous run that crashed or was killed while boosted. A
        // record that holds no display's ramp leaves the displays alone.
        lumeq::ScreenDisplays displays;
        lumeq::RegistryRecordStorage storage;
        recovery = lumeq::CrashRecord(storage, lumeq::ThisRun(), lumeq::IsRunRunning)
                       .RecoverAtStart(displays, /*straightLine=*/false);
    }
    SetUnhandledExceptionFilter(RestoreDisplaysOnCrash);
    std::set_terminate(RestoreDisplaysOnTerminate);

    // COM on the window's thread, before anything calls the shell (site links, the
    // screenshots folder) or the JPEG encoder.
    const lumeq::ComApartment com;
    // The main window is large (its core, its ports): it lives on the heap.
    const auto form = std::make_unique<lumeq::MainWindow>(instance);
    if (!form->Load()) return 1;
    if (recovery.refused) form->Tell(lumeq::Notice::RestoreFailed);
    if (recovery.dropped) form->Tell(lumeq::Notice::RecordDropped);
    return form->Run();
}
