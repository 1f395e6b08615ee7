#include "platform/session_watch.h"

#include "platform/system_function.h"

namespace lumvale {
namespace {

constexpr DWORD kNotifyForThisSession = 0;
constexpr DWORD kDeviceNotifyWindowHandle = 0;
// GUID_CONSOLE_DISPLAY_STATE (Windows 8 and later) and its forerunner
// GUID_MONITOR_POWER_ON (Vista and 7): 0 off, 1 on, 2 dimmed.
constexpr GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr GUID kMonitorPowerOn = {0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};

// POWERBROADCAST_SETTING, which Windows 2000's headers lack.
struct PowerSetting {
    GUID setting;
    DWORD dataLength;
    UCHAR data[1];
};

bool Windows8OrLater() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    ::GetVersionExW(&version);
    return version.dwMajorVersion > 6 || (version.dwMajorVersion == 6 && version.dwMinorVersion >= 2);
}

}  // namespace

bool DisplayStateOf(LPARAM setting, DWORD& state) {
    const auto* power = reinterpret_cast<const PowerSetting*>(setting);
    if (!power || power->dataLength < sizeof(DWORD)) return false;
    CopyMemory(&state, power->data, sizeof(DWORD));
    return true;
}

void SessionWatch::Keep(HWND window) {
    window_ = window;
    if (!looked_) {
        looked_ = true;
        registerSession_ = SystemFunction<RegisterSession>(L"wtsapi32.dll", "WTSRegisterSessionNotification");
        unregisterSession_ = SystemFunction<UnregisterSession>(L"wtsapi32.dll", "WTSUnRegisterSessionNotification");
        unregisterPower_ = SystemFunction<UnregisterPower>(L"user32.dll", "UnregisterPowerSettingNotification");
        if (const auto registerPower = SystemFunction<RegisterPower>(L"user32.dll", "RegisterPowerSettingNotification"))
            display_ = registerPower(window, Windows8OrLater() ? &kConsoleDisplayState : &kMonitorPowerOn,
                                     kDeviceNotifyWindowHandle);
    }
    if (!sessions_ && registerSession_) sessions_ = registerSession_(window, kNotifyForThisSession) != FALSE;
}

void SessionWatch::Stop() {
    if (sessions_ && unregisterSession_) unregisterSession_(window_);
    if (display_ && unregisterPower_) unregisterPower_(display_);
    sessions_ = false;
    display_ = nullptr;
}

}  // namespace lumvale
