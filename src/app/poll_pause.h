#pragma once
// When nobody can press the keys or click the popup, the 50 ms poll stops:
// while the session is locked, while it is away from its console (another
// user switched to, a remote session disconnected), and while its display
// is off. Each reason ends with its own counterpart, and a connection ends
// the display's too (whoever connects has a screen on); the poll runs again
// once none holds.

#include <cstdint>
#include <optional>

namespace lumvale {

// The codes of WM_WTSSESSION_CHANGE.
enum SessionChange : std::uint32_t {
    kConsoleConnect = 1, kConsoleDisconnect, kRemoteConnect, kRemoteDisconnect, kSessionLogon, kSessionLogoff,
    kSessionLock, kSessionUnlock
};
// A display's state as the power notifications give it.
enum DisplayState : std::uint32_t { kDisplayOff = 0, kDisplayOn = 1, kDisplayDimmed = 2 };

// Whose display the system reports: the session's own (Windows 8 and
// later), only the physical console's (Vista and 7), or none (earlier).
enum class DisplaySource { None, Console, Session };

struct Guid {
    std::uint32_t data1;
    std::uint16_t data2, data3;
    std::uint8_t data4[8];
};
// GUID_SESSION_DISPLAY_STATUS and GUID_MONITOR_POWER_ON.
inline constexpr Guid kSessionDisplayStatus{0x2b84c20e, 0xad23, 0x4ddf, {0x93, 0xdb, 0x05, 0xff, 0xbd, 0x7e, 0xfc, 0xa5}};
inline constexpr Guid kMonitorPowerOn{0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};

// The state that a WM_POWERBROADCAST of PBT_POWERSETTINGCHANGE carries in
// its POWERBROADCAST_SETTING (a GUID, a length, the data) for `setting`;
// nothing for another setting or without a state.
std::optional<std::uint32_t> DisplayStateOf(const void* broadcast, const Guid& setting);

class PollPause {
public:
    // What the display notifications speak of, and whether the session is a
    // remote one (SM_REMOTESESSION) as the watch begins.
    void Watch(DisplaySource source, bool remote) {
        source_ = source;
        remote_ = remote;
    }
    // Each returns whether the poll runs now.
    bool SessionChanged(std::uint32_t change);
    bool DisplayChanged(std::uint32_t state);
    bool Running() const { return reasons_ == 0; }

private:
    enum Reason : unsigned { kLocked = 1, kAway = 2, kDark = 4 };
    void Hold(unsigned reason, bool holds) { reasons_ = holds ? reasons_ | reason : reasons_ & ~reason; }
    unsigned reasons_ = 0;
    DisplaySource source_ = DisplaySource::None;
    bool remote_ = false;
};

}  // namespace lumvale
