#pragma once
// The scale of the display a window is on. Where the system scales per
// monitor (Windows 8.1 and later) a window takes its monitor's; elsewhere
// every window has the screen's.

#include <windows.h>

#include "platform/dpi.h"

namespace lumvale {

// The DPI of the monitor that holds a point of the screen.
Dpi DpiAt(POINT point);
// The DPI a window is drawn at.
Dpi DpiOf(HWND window);
// The outer size of a window whose client area is `client` pixels at `dpi`.
SIZE OuterSize(SIZE client, DWORD style, DWORD exStyle, Dpi dpi);

// WM_DPICHANGED, sent when a window moves to a monitor of another scale.
constexpr UINT kDpiChangedMessage = 0x02E0;

}  // namespace lumvale
