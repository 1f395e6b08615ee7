#include <windows.h>
#include <commctrl.h>

#include "app/app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    ::InitCommonControls();
    lumvale::App app;
    return app.Main();
}
