#pragma once
// The 50 ms poll of the global key and button states: the popup trigger, the
// digit hot-keys and the re-application of remembered opacities.

#include <cstdint>
#include <optional>

#include "store/settings.h"
#include "glass/glass.h"
#include "platform/platform.h"
#include "popup/window_info.h"

namespace lumvale {

// The popup as the poller sees it.
class PopupControl : public PopupCloser {
public:
    virtual void ShowMe() = 0;
};

// Modifier sets of the two setting indexes; nothing when the index means off.
enum Modifier : unsigned { kAlt = 1, kCtrl = 2, kShift = 4 };
std::optional<unsigned> HotKeyModifiers(std::int16_t hotKeys);
std::optional<unsigned> PopupTriggerModifiers(std::int16_t popupKeys);

bool IsMouseButtonDown(Platform& platform);
bool IsPopupTrigger(Platform& platform, std::int16_t popupKeys);

class Poller {
public:
    Poller(Platform& platform, SettingsStore& store, const Settings& settings, Glass& glass,
           WindowInfo& windows)
        : platform_(platform), store_(store), settings_(settings), glass_(glass), windows_(windows) {}

    void SetPopup(PopupControl* popup) { popup_ = popup; }

    // One timer tick. A tick that arrives while another is still running
    // (the beep and un-layering dispatch messages) is skipped.
    void Tick();

    void CheckPopupTrigger();
    void CheckHotKeys();
    void ApplyRememberedAlpha();

    std::int16_t PopupTriggerState() const { return popupTriggerState_; }

private:
    Platform& platform_;
    SettingsStore& store_;
    const Settings& settings_;
    Glass& glass_;
    WindowInfo& windows_;
    PopupControl* popup_ = nullptr;
    std::int16_t popupTriggerState_ = 0;
    bool inTick_ = false;
    bool closeAfterClick_ = false;
    // The window in front whose records were read and acted on; 0 when the
    // next tick must look again.
    Hwnd settledWindow_ = 0;
};

}  // namespace lumvale
