#pragma once
// When nobody can press the keys or click the popup, the 50 ms poll stops:
// while the session is locked, while it is away from its console (another
// user switched to, a remote session disconnected), and while its display
// is off. Each reason ends with its own counterpart, and a connection ends
// the display's too (whoever connects has a screen on); the poll runs again
// once none holds.

#include <cstdint>

#include "platform/display_state.h"

namespace lumvale {

// The codes of WM_WTSSESSION_CHANGE.
enum SessionChange : std::uint32_t {
    kConsoleConnect = 1, kConsoleDisconnect, kRemoteConnect, kRemoteDisconnect, kSessionLogon, kSessionLogoff,
    kSessionLock, kSessionUnlock
};

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
