// Stands in for an app of Windows 10 and 11: handed its frame's handle, it draws in a child of class
// Windows.UI.Core.CoreWindow inside that frame until it is ended; handed 0, it shows a top-level one, as
// the shell's own hosts do.
#include <windows.h>

#include <cwchar>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    const auto frame = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::wcstoll(commandLine, nullptr, 10)));
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &::DefWindowProcW;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1);
    windowClass.lpszClassName = L"Windows.UI.Core.CoreWindow";
    ::RegisterClassW(&windowClass);
    ::CreateWindowExW(0, windowClass.lpszClassName, L"", (frame ? WS_CHILD : WS_POPUP) | WS_VISIBLE, frame ? 0 : 100,
                      frame ? 0 : 100, frame ? 160 : 500, frame ? 80 : 400, frame, 0, instance, 0);
    for (MSG message; ::GetMessageW(&message, nullptr, 0, 0) > 0;) ::DispatchMessageW(&message);
    return 0;
}
