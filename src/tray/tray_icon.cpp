#include "tray/tray_icon.h"

#include "platform/win32_handles.h"

namespace lumvale {
namespace {

// The icon, the window that owns it and that window's own procedure: the
// process has one icon, so these are the process's.
NotifyIcon* trayIcon = nullptr;
HWND trayOwnerWindow = nullptr;
WNDPROC previousWindowProc = nullptr;
TrayMenuOwner* trayMenuOwner = nullptr;
UINT taskbarCreatedMessage = 0;

LRESULT CALLBACK TrayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    std::int16_t action = TrayActionFor(message, lParam);
    if (action > kTrayActionNone && trayMenuOwner) {
        // The menu closes when the user clicks elsewhere only if its owner
        // is the foreground window.
        const HWND before = ::GetForegroundWindow();
        ::SetForegroundWindow(trayOwnerWindow);
        trayMenuOwner->SystemTrayHandler(action);
        // Where the hidden window still has the keyboard once the menu and
        // its item are done, what the user types next would go nowhere.
        if (trayMenuOwner && ::GetForegroundWindow() == window) trayMenuOwner->GiveTheKeyboardBack(before);
        return -1;
    }
    if (message == WM_ACTIVATEAPP && !wParam) {
        // Another program took the foreground: the icon's menu, if open, no
        // longer gets the keyboard or the clicks elsewhere, so it closes
        // (the default handling of this message ends the menu).
        ::SendMessageW(window, WM_CANCELMODE, 0, 0);
    }
    if (taskbarCreatedMessage != 0 && message == taskbarCreatedMessage) {
        // The shell was restarted (or started after us): the old icon is
        // gone with the old taskbar.
        if (trayIcon) trayIcon->Add();
        if (trayMenuOwner) trayMenuOwner->TaskbarCreated();
    }
    return ::CallWindowProcW(previousWindowProc, window, message, wParam, lParam);
}

}  // namespace

std::int16_t TrayActionFor(UINT message, LPARAM lParam) {
    if (message != kTrayCallbackMessage) return kTrayActionNone;
    if (lParam == WM_LBUTTONDOWN) return kTrayActionLeftButton;
    if (lParam == WM_RBUTTONDOWN) return kTrayActionRightButton;
    return kTrayActionNone;
}

void AddTrayIcon(HWND owner, NotifyIcon& notifyIcon, UINT iconId, HICON icon, const wchar_t* tipText,
                 TrayMenuOwner* menuOwner) {
    if (taskbarCreatedMessage == 0) taskbarCreatedMessage = ::RegisterWindowMessageW(L"TaskbarCreated");
    notifyIcon.HearFromTheShell(FromHwnd(owner), taskbarCreatedMessage);
    trayOwnerWindow = owner;
    trayMenuOwner = menuOwner;
    trayIcon = &notifyIcon;
    previousWindowProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TrayWindowProc)));
    NotifyIconData record;
    record.owner = FromHwnd(owner);
    record.id = iconId;
    record.icon = reinterpret_cast<std::uintptr_t>(icon);
    record.callbackMessage = kTrayCallbackMessage;
    record.tip = tipText;
    notifyIcon.Add(record);
}

void RemoveTrayIcon() {
    if (trayOwnerWindow && previousWindowProc)
        ::SetWindowLongPtrW(trayOwnerWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousWindowProc));
    if (trayIcon) trayIcon->Remove();
    trayIcon = nullptr;
    trayMenuOwner = nullptr;
}

}  // namespace lumvale
