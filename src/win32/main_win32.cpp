#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

#include "app/layout_model.h"
#include "win32/main_window_win32.h"
#include "win32/text_win32.h"
#include "win32/display_win32.h"
#include "win32/registry_stores_win32.h"
#include "win32/com_ptr_win32.h"
#include "win32/unique_handle_win32.h"

namespace {

constexpr wchar_t kInstanceMutexName[] = L"lumeq gamma single instance";

// This run's record of the ramps to give back: the one the boost keeps, and the one a crash
// gives back from.
lumeq::CrashRecord* g_record = nullptr;

// Whatever ends the program abnormally, the displays get their own ramps back first.
void RestoreOwnRecord() {
    lumeq::ScreenDisplays displays;
    if (g_record) g_record->RestoreOwn(displays);
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
    // The displays through the backends' table (GDI is its one Windows row), and this run's
    // record of the ramps to give back.
    lumeq::ScreenDisplays gdi;
    const std::vector<lumeq::DisplayBackend> backends = lumeq::WindowsDisplayBackends(gdi);
    const lumeq::ChosenBackend chosen = lumeq::ChooseBackend(backends, lumeq::SessionKind::Windows);
    std::fprintf(stderr, "lumeq: %s\n", chosen.log.c_str());
    lumeq::RegistryRecordStorage storage;
    lumeq::CrashRecord record(storage, lumeq::ThisRun(), lumeq::IsRunRunning);
    // Before anything else: a previous run that crashed or was killed while boosted. A record
    // that holds no display's ramp leaves the displays alone.
    const lumeq::CrashRecord::Recovery recovery = lumeq::RecoverAtStart(gdi, record, {}, /*straightLine=*/false);
    g_record = &record;
    SetUnhandledExceptionFilter(RestoreDisplaysOnCrash);
    std::set_terminate(RestoreDisplaysOnTerminate);

    // COM on the window's thread, before anything calls the shell (site links, the
    // screenshots folder) or the JPEG encoder.
    const lumeq::ComApartment com;
    // The main window is large (its core, its ports): it lives on the heap.
    const auto form = std::make_unique<lumeq::MainWindow>(instance, gdi, record);
    if (!form->Load(recovery)) return 1;
    return form->Run();
}
