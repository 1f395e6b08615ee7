#include "platform/session_watch.h"

#include "platform/system_function.h"

namespace lumvale {
namespace {

constexpr DWORD kNotifyForThisSession = 0;
constexpr DWORD kDeviceNotifyWindowHandle = 0;

bool Windows8OrLater() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    ::GetVersionExW(&version);
    return version.dwMajorVersion > 6 || (version.dwMajorVersion == 6 && version.dwMinorVersion >= 2);
}

}  // namespace

DisplaySource SessionWatch::Source() {
    if (!SystemFunction<void*>(L"user32.dll", "RegisterPowerSettingNotification")) return DisplaySource::None;
    return Windows8OrLater() ? DisplaySource::Session : DisplaySource::Console;
}

const Guid& SessionWatch::DisplaySetting() {
    return Source() == DisplaySource::Session ? kSessionDisplayStatus : kMonitorPowerOn;
}

void SessionWatch::Keep(HWND window) {
    window_ = window;
    if (!looked_) {
        looked_ = true;
        registerSession_ = SystemFunction<RegisterSession>(L"wtsapi32.dll", "WTSRegisterSessionNotification");
        unregisterSession_ = SystemFunction<UnregisterSession>(L"wtsapi32.dll", "WTSUnRegisterSessionNotification");
        unregisterPower_ = SystemFunction<UnregisterPower>(L"user32.dll", "UnregisterPowerSettingNotification");
        if (const auto registerPower = SystemFunction<RegisterPower>(L"user32.dll", "RegisterPowerSettingNotification"))
            display_ = registerPower(window, reinterpret_cast<const GUID*>(&DisplaySetting()), kDeviceNotifyWindowHandle);
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
