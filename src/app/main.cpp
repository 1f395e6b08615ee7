#include <windows.h>

#include "app/app.h"
#include "platform/dll_search.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    lumvale::RestrictDllSearch();
    lumvale::LoadCommonControls();
    lumvale::App app;
    return app.Main();
}
