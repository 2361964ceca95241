#include <windows.h>

#include "app/form_main.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    lumeq::FormMain form(instance);
    if (!form.Form_Load()) return 1;
    return form.Run();
}
