#include "win32_test_util.h"

#include "platform/win32_handles.h"

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

Pixels CaptureClient(HWND window) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT client{};
    ::GetClientRect(window, &client);
    WindowDc source(window);
    return testsupport::CapturePixels(source.get(), 0, 0, client.right, client.bottom);
}

void SendMouse(HWND window, int x, int y, DWORD buttons) {
    POINT point{x, y};
    ::ClientToScreen(window, &point);
    // The move and the button travel in one input, so the button event
    // carries the new position.
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((point.x * 65535.0) / (::GetSystemMetrics(SM_CXSCREEN) - 1) + 0.5);
    input.mi.dy = static_cast<LONG>((point.y * 65535.0) / (::GetSystemMetrics(SM_CYSCREEN) - 1) + 0.5);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
    ::SendInput(1, &input, sizeof(input));
    PumpMessages(60);
}

void ClickAt(HWND window, int x, int y) {
    SendMouse(window, x, y, MOUSEEVENTF_LEFTDOWN);
    SendMouse(window, x, y, MOUSEEVENTF_LEFTUP);
}

}  // namespace lumvale::win32test
