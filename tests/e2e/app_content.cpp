// Stands in for an app of Windows 10 and 11: it draws in a child window of
// class Windows.UI.Core.CoreWindow inside the frame (another process's
// window) whose handle is its command line, until it is ended.
#include <windows.h>

#include <cwchar>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &::DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1);
    windowClass.lpszClassName = L"Windows.UI.Core.CoreWindow";
    ::RegisterClassW(&windowClass);
    const auto frame = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::wcstoll(commandLine, nullptr, 10)));
    ::CreateWindowExW(0, windowClass.lpszClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, 160, 80, frame, nullptr,
                      instance, nullptr);
    for (MSG message; ::GetMessageW(&message, nullptr, 0, 0) > 0;) ::DispatchMessageW(&message);
    return 0;
}
