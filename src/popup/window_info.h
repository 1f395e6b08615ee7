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
    // File name of the executable of the process that created the window;
    // for the frame of an app of Windows 10 and 11, its app's.
    std::wstring ExeName(Hwnd window);
    // ExeName followed directly by WindowClass; empty for a frame whose app
    // cannot be named.
    std::wstring WindowIdentity(Hwnd window);

    // The desktop (the shell's window, Progman, the WorkerW behind the icons
    // from Windows 7 on) and the taskbars: no window a user means to glass.
    bool IsDesktopOrTaskbar(Hwnd window);

    // An app's frame before its app has moved in (its CoreWindow comes a
    // moment after the frame) or while the app is suspended.
    bool IsFrameWithoutItsApp(Hwnd window) { return ProgramWindow(window) == 0; }

private:
    // The window whose process names a window's program. Apps of Windows 10
    // and 11 show in a frame of ApplicationFrameHost.exe, one host for all of
    // them; the app itself draws in the frame's CoreWindow child. 0 for a
    // frame without one (its app suspended).
    Hwnd ProgramWindow(Hwnd window);
    std::wstring ExeNameOfProcess(Hwnd window);

    Platform& platform_;
};

}  // namespace lumvale
