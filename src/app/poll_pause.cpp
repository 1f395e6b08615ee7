#include "app/poll_pause.h"

namespace lumvale {

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
