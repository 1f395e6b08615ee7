#pragma once
// Helpers of the win32 tier: real windows and registry keys of the test
// process, removed again when a test ends.

#include <windows.h>

#include "common/win32_pixels.h"

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

using testsupport::LayeredAlpha;
using testsupport::Pixels;
using testsupport::PumpMessages;
using testsupport::SaveBitmap;

// The pixels of a window's client area as painted, after pending paints of
// the window and its children have run.
Pixels CaptureClient(HWND window);

// Real mouse input (SendInput): a move to a point of a window's client area
// with the given button flags, and a left click there.
void SendMouse(HWND window, int x, int y, DWORD buttons);
void ClickAt(HWND window, int x, int y);

}  // namespace lumvale::win32test
