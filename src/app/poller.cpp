#include "app/poller.h"

#include <utility>

#include "store/conversions.h"

namespace lumvale {
namespace {

// How often an app's frame is looked at for its app before it settles as a
// window without a name: two seconds of ticks.
constexpr int kFrameLooks = 40;

// Notes the loop depth of the running tick, and gives the outer one back
// when the tick ends, however it ends.
class TickScope {
public:
    TickScope(int& running, int depth) : running_(running), outer_(running) { running_ = depth; }
    ~TickScope() { running_ = outer_; }

private:
    int& running_;
    const int outer_;
};

// Every listed modifier is queried, in the order Alt, Ctrl, Shift; keys that
// are not listed may be up or down.
bool AllPressed(KeyStates& keys, unsigned modifiers) {
    bool all = true;
    if (modifiers & kAlt) all = keys.Pressed(kVkMenu) && all;
    if (modifiers & kCtrl) all = keys.Pressed(kVkControl) && all;
    if (modifiers & kShift) all = keys.Pressed(kVkShift) && all;
    return all;
}

}  // namespace

bool KeyStates::Pressed(int virtualKey) {
    const std::int16_t state = platform_.GetAsyncKeyState(virtualKey);
    std::uint32_t& queried = queriedOn_[static_cast<std::size_t>(virtualKey) & 0xFF];
    const bool askedLately = queried != 0 && tick_ - queried <= 1;
    queried = tick_;
    const bool down = (state & 0x8000) != 0;
    const bool pressedSince = (state & 1) != 0;
    held_ = held_ || down;
    return down || (pressedSince && askedLately);
}

bool IsMouseButtonDown(KeyStates& keys) {
    const bool left = keys.Pressed(kVkLButton);
    const bool right = keys.Pressed(kVkRButton);
    return left || right;
}

bool IsPopupTrigger(KeyStates& keys, std::int16_t popupKeys) {
    if (!keys.Pressed(kVkRButton)) return false;
    const auto modifiers = PopupTriggerModifiers(popupKeys);
    return modifiers && AllPressed(keys, *modifiers);
}

void Poller::Tick(int loopDepth) {
    if (tickLoop_ == loopDepth) return;
    TickScope running(tickLoop_, loopDepth);
    keys_.NextTick();
    if (closeAfterClick_) {
        closeAfterClick_ = false;
        if (popup_) popup_->ClosePopup();
    }
    CheckPopupTrigger();
    CheckHotKeys();
    ApplyRememberedAlpha();
}

void Poller::Look(int loopDepth) {
    if (tickLoop_ == loopDepth) return;
    TickScope running(tickLoop_, loopDepth);
    ApplyRememberedAlpha();
}

void Poller::CheckPopupTrigger() {
    switch (popupTriggerState_) {
        case 0:
            if (IsPopupTrigger(keys_, settings_.PopupKeys)) {
                popupTriggerState_ = 1;
                if (popup_) popup_->ShowMe();
            }
            break;
        case 1:
            if (!IsMouseButtonDown(keys_)) popupTriggerState_ = 2;
            break;
        case 2:
            if (IsMouseButtonDown(keys_)) popupTriggerState_ = 3;
            break;
        default:
            if (!IsMouseButtonDown(keys_)) {
                popupTriggerState_ = 0;
                // The button-up of this click may still wait in the queue for
                // a control of the popup (input is handled before timer
                // ticks): the popup closes on the next tick, after it.
                closeAfterClick_ = true;
            }
            break;
    }
}

void Poller::CheckHotKeys() {
    const auto modifiers = HotKeyModifiers(settings_.HotKeys);
    if (!modifiers || !AllPressed(keys_, *modifiers)) return;
    // Every digit is asked about on every tick, so that a press between two
    // ticks counts for each; a digit 1-9 wins over 0, the lowest one wins.
    std::int16_t level = -1;
    for (std::int16_t digit = 0; digit <= 9; ++digit)
        if (keys_.Pressed(kVkDigit0 + digit) && level < 1) level = digit;
    if (level < 0) return;
    // With nothing in front there is nothing to change or remember, and the
    // shell's surfaces and the popup are no windows to glass; an open popup
    // closes as at any hot-key.
    const Hwnd window = platform_.GetForegroundWindow();
    if (window == 0 || windows_.IsNeverATarget(window)) {
        glass_.ClosePopup();
        return;
    }
    // A window that did not take the change is not remembered with it.
    const AlphaChange change = glass_.SetGlassLevel(window, level, [&] {
        const std::wstring identity = windows_.WindowIdentity(window);
        if (identity.empty()) return;
        const bool recordExists = !store_.ReadSetting(store_names::kWins, identity, L"").empty();
        if (recordExists || settings_.RememberOn)
            store_.WriteSetting(store_names::kWins, identity, DecimalText(level - 1));
    });
    notice_.Explain(window, change);
}

void Poller::ApplyRememberedAlpha() {
    const Hwnd window = platform_.GetForegroundWindow();
    // Taken every tick, so that a change seen now is not seen again later.
    const bool storeChanged = platform_.RegChangeNotified();
    // Nothing to look up again until another window comes to the front or
    // someone (this copy, another copy, a hand in regedit) changes the store.
    if (window == settledWindow_ && !storeChanged) return;
    settledWindow_ = 0;
    // A frame is named after its app once that has moved in: looked at again
    // for a while, without a word to the store, then settled as unnamed.
    if (windows_.IsFrameWithoutItsApp(window)) {
        if (std::exchange(awaitedFrame_, window) != window) frameLooks_ = 0;
        if (++frameLooks_ < kFrameLooks) return;
    }
    const bool target = window != 0 && !windows_.IsNeverATarget(window);
    if (target) inFront_ = window;
    const std::wstring key = DecimalText(window);
    if (target && !refused_.Contains(window) && store_.ReadSetting(store_names::kTemp, key, L"").empty() &&
        platform_.GetProp(window, kGivenBackProperty) == 0) {
        const std::wstring identity = windows_.WindowIdentity(window);
        // An empty identity would name the section's unnamed default value.
        if (!identity.empty()) {
            const auto value = RecordValueFromText(store_.ReadSetting(store_names::kWins, identity, L"-2"));
            // Values that are no opacity are treated as no record: nothing is
            // applied and nothing written. 9 would be level 10, which is opaque.
            if (value && *value > -2 && *value < kHighestGlassLevel) {
                // "-1" keeps the window as it is: it is only noted as handled.
                const auto handled = [&] { store_.WriteSetting(store_names::kTemp, key, DecimalText(*value)); };
                AlphaChange change = AlphaChange::Made;
                if (*value < 0)
                    handled();
                else
                    change = glass_.SetGlassLevel(window, static_cast<std::int16_t>(*value + 1), handled);
                // A window that does not answer now gets its opacity on a
                // later tick; one that refuses it is not asked again.
                if (change == AlphaChange::NoAnswer) return;
                if (change != AlphaChange::Made) refused_.Insert(window);
            }
        }
    }
    settledWindow_ = window;
}

void Poller::Resume() {
    keys_.Forget();
    settledWindow_ = 0;
    popupTriggerState_ = 0;
    closeAfterClick_ = false;
    if (popup_) popup_->ClosePopup();  // closing a popup that is not open does nothing
}

}  // namespace lumvale
