#include "tray/tray_icon.h"

#include <shellapi.h>

#include <cwchar>

namespace lumvale {
namespace {

// The icon's record, the window that owns it and that window's own
// procedure: the process has one icon, so these are the process's.
NOTIFYICONDATAW trayIconRecord{};
HWND trayOwnerWindow = nullptr;
WNDPROC previousWindowProc = nullptr;
TrayMenuOwner* trayMenuOwner = nullptr;
UINT taskbarCreatedMessage = 0;

LRESULT CALLBACK TrayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    std::int16_t action = TrayActionFor(message, lParam);
    if (action > kTrayActionNone && trayMenuOwner) {
        // The menu closes when the user clicks elsewhere only if its owner
        // is the foreground window.
        ::SetForegroundWindow(trayOwnerWindow);
        trayMenuOwner->SystemTrayHandler(action);
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
        ::Shell_NotifyIconW(NIM_ADD, &trayIconRecord);
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

void AddTrayIcon(HWND owner, UINT iconId, HICON icon, const wchar_t* tipText, TrayMenuOwner* menuOwner) {
    if (taskbarCreatedMessage == 0) taskbarCreatedMessage = ::RegisterWindowMessageW(L"TaskbarCreated");
    trayOwnerWindow = owner;
    trayMenuOwner = menuOwner;
    previousWindowProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TrayWindowProc)));
    trayIconRecord = NOTIFYICONDATAW{};
    trayIconRecord.hWnd = owner;
    trayIconRecord.uID = iconId;
    trayIconRecord.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    trayIconRecord.uCallbackMessage = kTrayCallbackMessage;
    trayIconRecord.hIcon = icon;
    // The first record layout holds a tip of 63 characters and its NUL.
    std::wcsncpy(trayIconRecord.szTip, tipText, 63);
    trayIconRecord.szTip[63] = L'\0';
    trayIconRecord.cbSize = NOTIFYICONDATAW_V1_SIZE;
    ::Shell_NotifyIconW(NIM_ADD, &trayIconRecord);
}

void RemoveTrayIcon() {
    if (trayOwnerWindow && previousWindowProc)
        ::SetWindowLongPtrW(trayOwnerWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousWindowProc));
    ::Shell_NotifyIconW(NIM_DELETE, &trayIconRecord);
    trayMenuOwner = nullptr;
}

}  // namespace lumvale
