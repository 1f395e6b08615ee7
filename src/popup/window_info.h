#pragma once
// Naming the program and class behind a window: its top-level window, class,
// title, executable and the window identity that remembered records use.

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace lumvale {

class WindowInfo {
public:
    explicit WindowInfo(Platform& platform) : platform_(platform) {}

    static constexpr int kTextBufferChars = 256;

    // The outermost window reached by following GetParent (parent or owner).
    Hwnd TopLevelWindow(Hwnd window);
    std::wstring WindowClass(Hwnd window);
    std::wstring WindowTitle(Hwnd window);
    // File name of the executable of the process that created the window.
    std::wstring ExeName(Hwnd window);
    // ExeName followed directly by WindowClass.
    std::wstring WindowIdentity(Hwnd window);

private:
    Platform& platform_;
};

}  // namespace lumvale
