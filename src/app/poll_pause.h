#pragma once
// When nobody can press the keys or click the popup, the 50 ms poll stops:
// while the session is locked, while it is away from its console (another
// user switched to, a remote session disconnected), and while the display
// is off. Each reason ends with its own counterpart; the poll runs again
// once none holds.

#include <cstdint>

namespace lumvale {

// The codes of WM_WTSSESSION_CHANGE.
enum SessionChange : std::uint32_t {
    kConsoleConnect = 1, kConsoleDisconnect, kRemoteConnect, kRemoteDisconnect, kSessionLogon, kSessionLogoff,
    kSessionLock, kSessionUnlock
};
// The console display's state as the power notifications give it.
enum DisplayState : std::uint32_t { kDisplayOff = 0, kDisplayOn = 1, kDisplayDimmed = 2 };

class PollPause {
public:
    // Each returns whether the poll runs now.
    bool SessionChanged(std::uint32_t change);
    bool DisplayChanged(std::uint32_t state);
    bool Running() const { return reasons_ == 0; }

private:
    enum Reason : unsigned { kLocked = 1, kAway = 2, kDark = 4 };
    void Hold(unsigned reason, bool holds) { reasons_ = holds ? reasons_ | reason : reasons_ & ~reason; }
    unsigned reasons_ = 0;
};

}  // namespace lumvale
