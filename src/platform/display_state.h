#pragma once
// The display's state as the power notifications of Windows Vista and later
// report it (WM_POWERBROADCAST with PBT_POWERSETTINGCHANGE).

#include <cstdint>
#include <optional>

namespace lumvale {

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

}  // namespace lumvale
