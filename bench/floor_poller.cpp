// The floor of a resident poller: a hidden window whose 50 ms timer reads the
// right button, Ctrl, Shift and the window in front, and does nothing else.
// bench/run sets Lumvale's CPU against this one's.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_TIMER) {
            volatile bool anything = ::GetAsyncKeyState(VK_RBUTTON) || ::GetAsyncKeyState(VK_CONTROL) ||
                                     ::GetAsyncKeyState(VK_SHIFT) || ::GetForegroundWindow() == window;
            (void)anything;
            return 0;
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    };
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"FloorPoller";
    ::RegisterClassW(&windowClass);
    const HWND window = ::CreateWindowExW(0, L"FloorPoller", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                                          nullptr);
    ::SetTimer(window, 1, 50, nullptr);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
    return 0;
}
