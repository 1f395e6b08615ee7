#include <windows.h>

#include "app/app.h"
#include "platform/dll_search.h"
#include "platform/system_function.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    {
        lumvale::Win32Platform platform;
        lumvale::RestrictDllSearch(platform);
    }
    // The common controls (the tooltips), from the system folder.
    using InitCommonControlsFunction = void(WINAPI*)();
    if (const auto init = lumvale::SystemFunction<InitCommonControlsFunction>(L"comctl32.dll", "InitCommonControls"))
        init();
    lumvale::App app;
    return app.Main();
}
