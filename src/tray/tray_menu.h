#pragma once
// The tray menu "SysTray" and its nine items.

#include <windows.h>

#include "platform/win32_handles.h"

namespace lumvale {

enum class TrayCommand { None, Settings, GiveBack, Help, About, Maker, Exit };

class TrayMenu {
public:
    TrayMenu();

    // Shows the menu at the cursor (left edge at the pointer, left button,
    // the settings item in bold) and returns what was chosen once it closed.
    TrayCommand Track(HWND owner);

    // The popup that is shown, for inspection.
    HMENU items() const { return items_; }

private:
    unique_menu bar_;  // mnuTray, holding the popup that is shown
    HMENU items_ = nullptr;
};

}  // namespace lumvale
