#include "win32_test_util.h"

#include <cstdio>

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

Pixels CaptureClient(HWND window) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT client{};
    ::GetClientRect(window, &client);
    Pixels pixels;
    pixels.header.biSize = sizeof(pixels.header);
    pixels.header.biWidth = client.right;
    pixels.header.biHeight = -client.bottom;  // rows from the top
    pixels.header.biPlanes = 1;
    pixels.header.biBitCount = 32;
    pixels.header.biCompression = BI_RGB;
    WindowDc source(window);
    unique_memory_dc memory(::CreateCompatibleDC(source.get()));
    void* bits = nullptr;
    unique_gdi_object bitmap(::CreateDIBSection(source.get(), reinterpret_cast<BITMAPINFO*>(&pixels.header),
                                                DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap || !bits) return {};
    SelectionGuard selected(memory.get(), bitmap.get());
    if (!::BitBlt(memory.get(), 0, 0, client.right, client.bottom, source.get(), 0, 0, SRCCOPY)) return {};
    const auto* first = static_cast<const DWORD*>(bits);
    pixels.bits.assign(first, first + client.right * client.bottom);
    return pixels;
}

bool SaveBitmap(const Pixels& pixels, const std::wstring& name) {
    wchar_t exe[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    std::wstring directory(exe, length);
    directory.erase(directory.find_last_of(L'\\') + 1);
    directory += L"..\\e2e-shots";
    ::CreateDirectoryW(directory.c_str(), nullptr);
    const size_t imageBytes = pixels.bits.size() * sizeof(DWORD);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(pixels.header);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(imageBytes);
    FILE* out = _wfopen((directory + L"\\" + name + L".bmp").c_str(), L"wb");
    if (!out) return false;
    const bool written = std::fwrite(&file, sizeof(file), 1, out) == 1 &&
                         std::fwrite(&pixels.header, sizeof(pixels.header), 1, out) == 1 &&
                         std::fwrite(pixels.bits.data(), 1, imageBytes, out) == imageBytes;
    return std::fclose(out) == 0 && written && imageBytes > 0;
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
