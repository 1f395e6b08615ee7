#include "common/win32_pixels.h"

#include <cstdio>

#include "platform/win32_handles.h"

namespace lumvale::testsupport {

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

int LayeredAlpha(HWND window) {
    if ((::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED) == 0) return -1;
    BYTE alpha = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    if (!::GetLayeredWindowAttributes(window, &key, &alpha, &flags)) return -2;
    return (flags & LWA_ALPHA) ? alpha : -3;
}

Pixels CapturePixels(HDC source, int left, int top, int width, int height) {
    if (width <= 0 || height <= 0) return {};
    Pixels pixels;
    pixels.header.biSize = sizeof(pixels.header);
    pixels.header.biWidth = width;
    pixels.header.biHeight = -height;  // rows from the top
    pixels.header.biPlanes = 1;
    pixels.header.biBitCount = 32;
    pixels.header.biCompression = BI_RGB;
    unique_memory_dc memory(::CreateCompatibleDC(source));
    void* bits = nullptr;
    unique_gdi_object bitmap(::CreateDIBSection(source, reinterpret_cast<BITMAPINFO*>(&pixels.header),
                                                DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap || !bits) return {};
    SelectionGuard selected(memory.get(), bitmap.get());
    if (!::BitBlt(memory.get(), 0, 0, width, height, source, left, top, SRCCOPY)) return {};
    const auto* first = static_cast<const DWORD*>(bits);
    pixels.bits.assign(first, first + static_cast<size_t>(width) * height);
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
    // The fourth byte of each pixel is unused on screen; image viewers read
    // it as alpha, so it is written as opaque.
    std::vector<DWORD> opaque(pixels.bits);
    for (DWORD& pixel : opaque) pixel |= 0xFF000000;
    const size_t imageBytes = opaque.size() * sizeof(DWORD);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(pixels.header);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(imageBytes);
    FILE* out = _wfopen((directory + L"\\" + name + L".bmp").c_str(), L"wb");
    if (!out) return false;
    const bool written = std::fwrite(&file, sizeof(file), 1, out) == 1 &&
                         std::fwrite(&pixels.header, sizeof(pixels.header), 1, out) == 1 &&
                         std::fwrite(opaque.data(), 1, imageBytes, out) == imageBytes;
    return std::fclose(out) == 0 && written && imageBytes > 0;
}

}  // namespace lumvale::testsupport
