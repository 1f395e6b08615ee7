#pragma once
// The notification-area icon: added on the hidden main window, whose window
// procedure is replaced while the icon exists so that the icon's mouse
// notifications open the menu.

#include <windows.h>

#include <cstdint>

#include "tray/notify_icon.h"

namespace lumvale {

// The icon's callback message. It has the number of WM_LBUTTONUP; the owner
// window is never shown, so it receives no real mouse input of that kind.
constexpr UINT kTrayCallbackMessage = 0x202;

// Action codes handed to the menu owner.
constexpr std::int16_t kTrayActionNone = 0;
constexpr std::int16_t kTrayActionLeftButton = 1;
constexpr std::int16_t kTrayActionRightButton = 2;

// The action a callback message stands for: a button going down on the icon.
std::int16_t TrayActionFor(UINT message, LPARAM lParam);

// Receives the icon's button presses, and hears of a new taskbar.
class TrayMenuOwner {
public:
    virtual ~TrayMenuOwner() = default;
    virtual void SystemTrayHandler(std::int16_t& action) = 0;
    // The menu is done and the hidden window still has the keyboard;
    // `before` was in front when the icon was clicked.
    virtual void GiveTheKeyboardBack(HWND before) = 0;
    // The icon is back on a new taskbar, which has none of the old one's
    // settings.
    virtual void TaskbarCreated() = 0;
};

// One icon per process. AddTrayIcon subclasses `owner`, has `notifyIcon`
// add the icon and add it again whenever the shell announces a new taskbar;
// RemoveTrayIcon restores the window procedure and deletes the icon.
void AddTrayIcon(HWND owner, NotifyIcon& notifyIcon, UINT iconId, HICON icon, const wchar_t* tipText,
                 TrayMenuOwner* menuOwner);
void RemoveTrayIcon();

}  // namespace lumvale
