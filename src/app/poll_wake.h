#pragma once
// The 50 ms poll runs while the input is under way, and stands still while
// nobody touches it. Where the system offers raw input, the hidden main
// window hears every key and button of the session without taking any (no
// hook, so nothing is swallowed and nothing can time out): once nothing has
// come for half a second and no key or button that the poll watches is held, the
// poll stops, and the next key, button or move of the mouse starts it again.
// The mouse is heard only while the poll stands still: it reports every
// move, and a running poll needs none of them. Where raw input is missing or
// refused, and while the window in front runs with more rights than Lumvale
// (the system may keep its input from a program with fewer), the poll runs
// as it always did. Raw input that stops coming is silent: while the poll
// stands still, each look at the window in front checks that the session's
// own clock of the last input has not moved unheard and that the window in
// front is not one of more rights.

#include <bitset>
#include <cstdint>

#include "platform/platform.h"
#include "popup/window_info.h"

namespace lumvale {

// How long the input must rest before the poll stops. Measured against
// occasional keys and a mouse moved in jerks, half a second costs the fewest
// wake-ups: shorter, each pause of a moving mouse wakes it again; longer,
// each key keeps it ticking for nothing.
constexpr std::uint32_t kInputRestMs = 500;

class PollWake {
public:
    PollWake(Platform& platform, WindowInfo& windows) : platform_(platform), windows_(windows) {}

    // Registers `window` for the keyboard of the session where it can; the
    // poll runs.
    void Start(Hwnd window);
    // Input was heard: a poll that stood still starts. True for a digit or a
    // modifier that has just gone down (not the system's repeat of a held
    // one): the poll's decisions take it at once. A button is left to the
    // next tick, so that its click first reaches the window it lands on.
    bool Heard(const InputEvent& event);
    // After a tick: stops the poll where nothing is under way. `busy`: the
    // tick found a watched key or button held, or the poll needs its next
    // tick.
    void AfterTick(bool busy);
    // A look while the poll stands still (twice a second, and whenever the
    // system tells of a window that came to the front): the poll starts
    // where Windows may have kept input from Lumvale: the session's last
    // input moved since the poll fell asleep although nothing was heard (the
    // keys went to a window of a program with more rights, or the secure
    // desktop of a UAC prompt or Ctrl+Alt+Del showed), or the window now in
    // front runs with more rights, or nothing is in front.
    void Look();
    // While paused the poll stands still and input does not start it; the
    // end of a pause starts it.
    void Pause(bool paused);

    bool Polling() const { return !paused_ && !asleep_; }

private:
    void Wake();

    Platform& platform_;
    WindowInfo& windows_;
    Hwnd window_ = 0;
    bool heard_ = false;  // raw input reaches the window
    bool asleep_ = false;
    bool paused_ = false;
    std::uint32_t lastInput_ = 0;
    std::uint32_t sleptAt_ = 0;  // the session's last input when the poll fell asleep
    Hwnd front_ = 0;             // the window in front whose rights were read last
    std::bitset<256> down_;  // keys that raw input reported down
};

}  // namespace lumvale
