#pragma once
// What the win32 and end-to-end tiers both need from a real desktop: a
// message pump for waiting, the alpha of a layered window, and pixels read
// from a device context and saved as screenshots.

#include <windows.h>

#include <string>
#include <vector>

namespace lumvale::testsupport {

// Runs the calling thread's messages for `milliseconds`.
void PumpMessages(int milliseconds);

// The alpha a layered window has; -1 when it is not layered, -2 when the
// attributes cannot be read, -3 when it has a colour key but no alpha.
int LayeredAlpha(HWND window);

struct Pixels {
    BITMAPINFOHEADER header{};
    std::vector<DWORD> bits;  // 0x00RRGGBB, rows from the top

    int Width() const { return header.biWidth; }
    int Height() const { return bits.empty() ? 0 : -header.biHeight; }
    COLORREF At(int x, int y) const {
        const DWORD rgb = bits[static_cast<size_t>(y) * Width() + x];
        return RGB(GetBValue(rgb), GetGValue(rgb), GetRValue(rgb));
    }
};

// The `width` by `height` pixels of `source` from (`left`, `top`); empty when
// they cannot be read.
Pixels CapturePixels(HDC source, int left, int top, int width, int height);

// Saves the pixels as build/e2e-shots/<name>.bmp; false when it could not.
bool SaveBitmap(const Pixels& pixels, const std::wstring& name);

}  // namespace lumvale::testsupport
