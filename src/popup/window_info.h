#pragma once
// Naming the program and class behind a window: its top-level window, class,
// title, executable and the window identity that remembered records use.

#include <cstdint>
#include <optional>
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

    // The shell's own surfaces (the desktop, the taskbars, the notification
    // area's overflow, the Start menu, the flyouts, task view and Alt+Tab,
    // thumbnails), menus, and Lumvale's hidden main window and popup, of this
    // copy or another: no window a user means to glass. The settings dialog and the
    // about box are windows like any other.
    bool IsNeverATarget(Hwnd window);

    // The window's program runs with more rights than this one (a higher
    // integrity level, as an elevated program's), or its rights cannot be
    // read on a system that has such levels, as where no window is in front.
    // Never before Windows Vista.
    bool RunsWithMoreRights(Hwnd window);

    // An app's frame before its app has moved in (its CoreWindow comes a
    // moment after the frame) or while the app is suspended.
    bool IsFrameWithoutItsApp(Hwnd window) { return window != 0 && ProgramWindow(window) == 0; }

private:
    // The window whose process names a window's program. Apps of Windows 10
    // and 11 show in a frame of ApplicationFrameHost.exe, one host for all of
    // them; the app itself draws in the frame's CoreWindow child. 0 for a
    // frame without one (its app suspended).
    Hwnd ProgramWindow(Hwnd window);
    std::wstring ExeNameOfProcess(Hwnd window);

    Platform& platform_;
    std::optional<std::optional<std::uint32_t>> ownIntegrity_;  // read once
};

}  // namespace lumvale
