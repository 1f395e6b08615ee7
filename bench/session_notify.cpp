// Tells the resident Lumvale that the session was locked or unlocked, as the
// system does: WM_WTSSESSION_CHANGE posted to its hidden main window.
// bench/run measures Lumvale's wake-ups while it is paused this way.
//   session_notify lock|unlock
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    constexpr UINT kSessionChange = 0x02B1;                     // WM_WTSSESSION_CHANGE
    constexpr WPARAM kLock = 7, kUnlock = 8;                    // WTS_SESSION_LOCK, WTS_SESSION_UNLOCK
    const bool lock = argc == 2 && std::wcscmp(argv[1], L"lock") == 0;
    if (argc != 2 || (!lock && std::wcscmp(argv[1], L"unlock") != 0)) {
        std::fputws(L"usage: session_notify lock|unlock\n", stderr);
        return 2;
    }
    const HWND main = ::FindWindowW(L"LumvaleMain", nullptr);
    if (!main || !::PostMessageW(main, kSessionChange, lock ? kLock : kUnlock, 0)) {
        std::fputws(L"session_notify: no Lumvale main window to tell\n", stderr);
        return 1;
    }
    return 0;
}
