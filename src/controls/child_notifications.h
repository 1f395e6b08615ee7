#pragma once

#include <windows.h>

namespace lumvale {

// Messages that contained controls send their parent. Containers pass them
// on, so that the window holding a container handles them as if the
// controls were its own.
inline bool IsChildNotification(UINT message) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_COMPAREITEM:
        case WM_DELETEITEM:
            return true;
        default:
            return false;
    }
}

}  // namespace lumvale
