#include "platform/display.h"

#include "platform/system_function.h"
#include "platform/win32_handles.h"

namespace lumvale {
namespace {

Dpi ScreenDpi() {
    WindowDc screen(nullptr);
    const int dpi = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
    return {dpi > 0 ? dpi : kBaseDpi};
}

}  // namespace

Dpi DpiAt(POINT point) {
    using GetDpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    const auto query = SystemFunction<GetDpiForMonitor>(L"shcore.dll", "GetDpiForMonitor");
    UINT x = 0, y = 0;
    constexpr int kEffectiveDpi = 0;
    if (query && query(::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y) == S_OK && y > 0)
        return {static_cast<int>(y)};
    return ScreenDpi();
}

Dpi DpiOf(HWND window) {
    using GetDpiForWindow = UINT(WINAPI*)(HWND);
    const auto query = SystemFunction<GetDpiForWindow>(L"user32.dll", "GetDpiForWindow");
    const UINT dpi = query ? query(window) : 0;
    return dpi > 0 ? Dpi{static_cast<int>(dpi)} : ScreenDpi();
}

SIZE OuterSize(SIZE client, DWORD style, DWORD exStyle, Dpi dpi) {
    using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    const auto adjust = SystemFunction<AdjustForDpi>(L"user32.dll", "AdjustWindowRectExForDpi");
    RECT outer{0, 0, client.cx, client.cy};
    if (!adjust || !adjust(&outer, style, FALSE, exStyle, static_cast<UINT>(dpi.value)))
        ::AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    return {outer.right - outer.left, outer.bottom - outer.top};
}

}  // namespace lumvale
