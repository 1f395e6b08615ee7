#include "app/poll_wake.h"

#include <utility>

namespace lumvale {
namespace {

// Whether tick `later` comes at or after `earlier`, across the wrap of the
// millisecond count after 49 days.
bool NotBefore(std::uint32_t later, std::uint32_t earlier) { return static_cast<std::int32_t>(later - earlier) >= 0; }

}  // namespace

void PollWake::Start(Hwnd window) {
    window_ = window;
    heard_ = platform_.RegisterRawInputDevices(RawInputDevice::Keyboard, window);
    lastInput_ = platform_.GetTickCount();
}

bool PollWake::Heard(const InputEvent& event) {
    if (paused_ || !heard_) return false;
    lastInput_ = platform_.GetTickCount();
    if (asleep_) Wake();
    if (!event.keyboard) return false;
    const std::size_t key = static_cast<std::size_t>(event.virtualKey) & 0xFF;
    const bool wasDown = down_[key];
    down_[key] = !event.keyUp;
    // Only a digit or a modifier can complete a hot-key: letters typed wait
    // for the tick.
    const bool watched = (key >= kVkDigit0 && key <= kVkDigit0 + 9) || key == kVkShift || key == kVkControl ||
                         key == kVkMenu;
    return watched && !event.keyUp && !wasDown;
}

void PollWake::AfterTick(bool busy) {
    if (!Polling() || !heard_) return;
    const std::uint32_t now = platform_.GetTickCount();
    if (busy) lastInput_ = now;
    if (!NotBefore(now, lastInput_ + kInputRestMs)) return;
    // The mouse was not heard while the poll ran: the session's own clock
    // of the last input tells whether it moved.
    const std::uint32_t sessionInput = platform_.GetLastInputInfo();
    if (NotBefore(sessionInput, lastInput_)) lastInput_ = sessionInput;
    if (!NotBefore(now, lastInput_ + kInputRestMs)) return;
    // Asked again after the next rest, not on every tick.
    const Hwnd front = platform_.GetForegroundWindow();
    if (windows_.RunsWithMoreRights(front) || !platform_.RegisterRawInputDevices(RawInputDevice::Mouse, window_)) {
        lastInput_ = now;
        return;
    }
    // The clock is read again once the mouse is heard: a press that came
    // between the two readings shows on it, and any later one is heard.
    sleptAt_ = platform_.GetLastInputInfo();
    if (sleptAt_ != sessionInput) {
        platform_.RegisterRawInputDevices(RawInputDevice::Mouse, 0);
        lastInput_ = sleptAt_;
        return;
    }
    asleep_ = true;
    front_ = front;
    down_.reset();
}

void PollWake::Look() {
    if (!asleep_ || paused_) return;
    // A window's rights are read once it comes to the front: each reading
    // is a few calls into the system, a look only two.
    const Hwnd front = platform_.GetForegroundWindow();
    const bool moreRights = front != std::exchange(front_, front) && windows_.RunsWithMoreRights(front);
    if (platform_.GetLastInputInfo() == sleptAt_ && !moreRights) return;
    Wake();
    lastInput_ = platform_.GetTickCount();
}

void PollWake::Pause(bool paused) {
    if (paused && asleep_) Wake();
    paused_ = paused;
    lastInput_ = platform_.GetTickCount();
}

void PollWake::Wake() {
    asleep_ = false;
    platform_.RegisterRawInputDevices(RawInputDevice::Mouse, 0);
}

}  // namespace lumvale
