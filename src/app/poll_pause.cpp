#include "app/poll_pause.h"

#include <cstring>

namespace lumvale {

std::optional<std::uint32_t> DisplayStateOf(const void* broadcast, const Guid& setting) {
    if (broadcast == nullptr) return std::nullopt;
    const auto* bytes = static_cast<const unsigned char*>(broadcast);
    Guid guid{};
    std::uint32_t length = 0, state = 0;
    std::memcpy(&guid, bytes, sizeof(guid));
    std::memcpy(&length, bytes + sizeof(guid), sizeof(length));
    if (std::memcmp(&guid, &setting, sizeof(guid)) != 0 || length < sizeof(state)) return std::nullopt;
    std::memcpy(&state, bytes + sizeof(guid) + sizeof(length), sizeof(state));
    return state;
}

bool PollPause::SessionChanged(std::uint32_t change) {
    switch (change) {
        case kSessionLock: Hold(kLocked, true); break;
        case kSessionUnlock: Hold(kLocked, false); break;
        case kConsoleDisconnect: case kRemoteDisconnect: Hold(kAway, true); break;
        case kConsoleConnect: case kRemoteConnect:
            remote_ = change == kRemoteConnect;
            Hold(kAway | kDark, false);
            break;
        default: break;
    }
    return Running();
}

bool PollPause::DisplayChanged(std::uint32_t state) {
    // The console's screen says nothing of a remote session's.
    if (source_ == DisplaySource::Session || (source_ == DisplaySource::Console && !remote_))
        Hold(kDark, state == kDisplayOff);
    return Running();
}

}  // namespace lumvale
