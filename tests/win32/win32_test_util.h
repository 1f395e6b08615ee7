#pragma once
// Helpers of the win32 tier: real windows and registry keys of the test
// process, removed again when a test ends.

#include <windows.h>

#include <string>

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

}  // namespace lumvale::win32test
