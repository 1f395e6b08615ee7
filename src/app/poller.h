#pragma once
// The 50 ms poll of the global key and button states: the popup trigger, the
// digit hot-keys and the re-application of remembered opacities.

#include <array>
#include <cstdint>
#include <optional>

#include "store/settings.h"
#include "glass/glass.h"
#include "glass/refusal_notice.h"
#include "platform/platform.h"
#include "platform/window_set.h"
#include "popup/window_info.h"

namespace lumvale {

// The popup as the poller sees it.
class PopupControl : public PopupCloser {
public:
    virtual void ShowMe() = 0;
};

// The key and button states as the poller reads them, tick by tick. A key
// counts as pressed when it is down now, or when it was pressed since its
// previous query and that query was made on this tick or the one before. The
// system's "pressed since the previous query" alone can be minutes old for a
// key the poller only now and then asks about (a digit is asked about only
// while its modifiers are held): a digit typed into an editor must not count
// when Ctrl + Shift are pressed much later to switch the input method.
class KeyStates {
public:
    explicit KeyStates(Platform& platform) : platform_(platform) {}

    // Starts the next tick.
    void NextTick() {
        ++tick_;
        held_ = false;
    }
    // After a pause: whatever was pressed before it is older than the tick
    // before the next one, and never counts.
    void Forget() { ++tick_; }
    bool Pressed(int virtualKey);
    // A key asked about on this tick was down.
    bool Held() const { return held_; }

private:
    Platform& platform_;
    std::uint32_t tick_ = 1;
    bool held_ = false;
    std::array<std::uint32_t, 256> queriedOn_{};  // the tick of each key's last query; 0: never
};

bool IsMouseButtonDown(KeyStates& keys);
bool IsPopupTrigger(KeyStates& keys, std::int16_t popupKeys);

class Poller {
public:
    Poller(Platform& platform, SettingsStore& store, const Settings& settings, Glass& glass,
           WindowInfo& windows, RefusalNotice& notice)
        : platform_(platform), keys_(platform), store_(store), settings_(settings), glass_(glass), windows_(windows),
          notice_(notice), refused_(platform) {}

    void SetPopup(PopupControl* popup) { popup_ = popup; }

    // One timer tick, dispatched by a message loop `loopDepth` modal loops
    // deep. A tick that arrives while another runs in the same loop (the
    // beep and un-layering dispatch messages) is skipped; one of a modal
    // loop opened meanwhile (a dialog that opened inside the other tick)
    // runs, so that the keys work while that window is open.
    void Tick(int loopDepth = 0);
    // Only the window in front, for a look between ticks: it may have come
    // to the front while nobody touched the input.
    void Look(int loopDepth = 0);
    // The last tick found a key or button held that the poll watches, or
    // the popup closes on the next tick: the poll must go on.
    bool Busy() const { return keys_.Held() || closeAfterClick_; }

    void CheckPopupTrigger();
    void CheckHotKeys();
    void ApplyRememberedAlpha();

    // The poll goes on after a pause: an open popup closes as a click
    // elsewhere would close it, and the window in front is looked at anew.
    void Resume();

    std::int16_t PopupTriggerState() const { return popupTriggerState_; }
    // The last window a tick or a look found in front that is no shell
    // surface nor Lumvale's hidden window; 0 before the first.
    Hwnd WindowInFront() const { return inFront_; }

private:
    Platform& platform_;
    KeyStates keys_;
    SettingsStore& store_;
    const Settings& settings_;
    Glass& glass_;
    WindowInfo& windows_;
    RefusalNotice& notice_;
    PopupControl* popup_ = nullptr;
    std::int16_t popupTriggerState_ = 0;
    int tickLoop_ = -1;  // the loop depth of the running tick; -1: none
    bool closeAfterClick_ = false;
    // The window in front whose records were read and acted on; 0 when the
    // next tick must look again.
    Hwnd settledWindow_ = 0;
    Hwnd inFront_ = 0;
    // An app's frame in front that its app has not moved into yet, and how
    // often it was looked at.
    Hwnd awaitedFrame_ = 0;
    int frameLooks_ = 0;
    // Windows that refused their remembered opacity although they answered:
    // it is tried once per window and run.
    WindowSet refused_;
};

}  // namespace lumvale
