// A stand-in program: an executable named editor.exe with a main window of
// class EditorMain and a dialog it owns, for the identification tests.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"EditorMain";
    ::RegisterClassW(&windowClass);
    HWND main = ::CreateWindowExW(0, L"EditorMain", L"notes.txt - Editor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60,
                                  300, 200, nullptr, nullptr, instance, nullptr);
    ::CreateWindowExW(0, L"#32770", L"Save as", WS_POPUP | WS_CAPTION | WS_VISIBLE, 100, 100, 200, 120, main,
                      nullptr, instance, nullptr);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
    return 0;
}
