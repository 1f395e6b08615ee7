#include "win32_test_util.h"

namespace lumvale::win32test {
namespace {

constexpr wchar_t kClass[] = L"LumvaleTestWindow";

void RegisterTestClass() {
    WNDCLASSW windowClass{};
    if (::GetClassInfoW(::GetModuleHandleW(nullptr), kClass, &windowClass)) return;
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClass;
    ::RegisterClassW(&windowClass);
}

}  // namespace

TestWindow::TestWindow(const wchar_t* title, HWND owner, DWORD style) {
    RegisterTestClass();
    window_ = ::CreateWindowExW(0, kClass, title, style, 50, 50, 300, 200, owner, nullptr,
                                ::GetModuleHandleW(nullptr), nullptr);
    ::ShowWindow(window_, SW_SHOWNOACTIVATE);
}

TestWindow::~TestWindow() { ::DestroyWindow(window_); }

void DeleteProgramKey() {
    HKEY software = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_ALL_ACCESS, &software) != ERROR_SUCCESS) return;
    ::RegDeleteTreeW(software, L"Lumvale");
    ::RegCloseKey(software);
}

int LayeredAlpha(HWND window) {
    if ((::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED) == 0) return -1;
    BYTE alpha = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    if (!::GetLayeredWindowAttributes(window, &key, &alpha, &flags)) return -2;
    return (flags & LWA_ALPHA) ? alpha : -3;
}

void PumpMessages(int milliseconds) {
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(milliseconds);
    do {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        ::Sleep(5);
    } while (static_cast<LONG>(end - ::GetTickCount()) > 0);
}

}  // namespace lumvale::win32test
