#pragma once
// Registers a window for the changes of its session (WM_WTSSESSION_CHANGE:
// locked, unlocked, away from the console and back; XP and later) and of the
// display's state (WM_POWERBROADCAST; Vista and later: the session's own
// display from Windows 8 on, the console's before), for as long as the watch
// lives. Windows 2000 has neither: nothing is registered there.

#include <windows.h>

#include "platform/display_state.h"

namespace lumvale {

constexpr UINT kSessionChangeMessage = 0x02B1;       // WM_WTSSESSION_CHANGE
constexpr WPARAM kPowerSettingChange = 0x8013;       // PBT_POWERSETTINGCHANGE

class SessionWatch {
public:
    SessionWatch() = default;
    SessionWatch(const SessionWatch&) = delete;
    SessionWatch& operator=(const SessionWatch&) = delete;
    ~SessionWatch() { Stop(); }

    // Registers what is not registered yet. Early at log-on the session
    // services may not run yet and refuse: called again, it tries again.
    void Keep(HWND window);
    void Stop();

    // Whose display this system reports, and the setting it reports it as.
    static DisplaySource Source();
    static const Guid& DisplaySetting();

private:
    using RegisterSession = BOOL(WINAPI*)(HWND, DWORD);
    using UnregisterSession = BOOL(WINAPI*)(HWND);
    using RegisterPower = HANDLE(WINAPI*)(HANDLE, const GUID*, DWORD);
    using UnregisterPower = BOOL(WINAPI*)(HANDLE);

    bool looked_ = false;
    HWND window_ = nullptr;
    RegisterSession registerSession_ = nullptr;
    UnregisterSession unregisterSession_ = nullptr;
    UnregisterPower unregisterPower_ = nullptr;
    bool sessions_ = false;
    HANDLE display_ = nullptr;
};

}  // namespace lumvale
