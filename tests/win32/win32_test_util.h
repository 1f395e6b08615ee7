#pragma once
// Helpers of the win32 tier: real windows and registry keys of the test
// process, removed again when a test ends.

#include <windows.h>

#include <string>
#include <vector>

namespace lumvale::win32test {

// A plain visible top-level window of the test process.
class TestWindow {
public:
    explicit TestWindow(const wchar_t* title = L"lumvale test window", HWND owner = nullptr,
                        DWORD style = WS_OVERLAPPEDWINDOW);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND get() const { return window_; }

private:
    HWND window_;
};

// Deletes HKCU\Software\Lumvale with everything below it.
void DeleteProgramKey();

// The alpha a layered window has, or -1 when it is not layered.
int LayeredAlpha(HWND window);

void PumpMessages(int milliseconds);

// The pixels of a window's client area as painted, after pending paints of
// the window and its children have run.
struct Pixels {
    BITMAPINFOHEADER header{};
    std::vector<DWORD> bits;  // 0x00RRGGBB, rows from the top

    int Width() const { return header.biWidth; }
    int Height() const { return bits.empty() ? 0 : -header.biHeight; }
    COLORREF At(int x, int y) const {
        const DWORD bgr = bits[static_cast<size_t>(y) * Width() + x];
        return RGB(GetBValue(bgr), GetGValue(bgr), GetRValue(bgr));
    }
};
Pixels CaptureClient(HWND window);

// Saves the pixels as build/e2e-shots/<name>.bmp; false when it could not.
bool SaveBitmap(const Pixels& pixels, const std::wstring& name);

// Real mouse input (SendInput): a move to a point of a window's client area
// with the given button flags, and a left click there.
void SendMouse(HWND window, int x, int y, DWORD buttons);
void ClickAt(HWND window, int x, int y);

}  // namespace lumvale::win32test
