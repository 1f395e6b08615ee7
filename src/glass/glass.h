#pragma once
// Opacity operations on any top-level window: one constant alpha per window
// through the layered style, the confirmation beep and the taskbar's alpha.

#include <cstdint>

#include "app/settings_store/settings_store.h"
#include "platform/platform.h"

namespace lumvale {

// Whoever owns the popup closes it when an opacity change is made.
class PopupCloser {
public:
    virtual ~PopupCloser() = default;
    virtual void ClosePopup() = 0;
};

constexpr std::int16_t kOpaqueAlpha = 255;
constexpr std::int16_t kMinTaskbarAlpha = 105;
constexpr std::int16_t kHighestGlassLevel = 10;

// Alpha of a glass level: 105 + 15 × level from level 1, opaque below.
std::int16_t AlphaForGlassLevel(std::int16_t level);

class Glass {
public:
    Glass(Platform& platform, SettingsStore& store) : platform_(platform), store_(store) {}

    void SetPopupCloser(PopupCloser* closer) { popupCloser_ = closer; }

    bool IsLayered(Hwnd window);
    void SetLayeredStyle(Hwnd window, bool on);
    void RedrawScreen();

    // 255 removes the layered style; 0-254 sets the layered style and the
    // alpha. Other values are refused before anything changes.
    void SetWindowAlpha(Hwnd window, std::int16_t alpha);

    // A change the user made: alpha of the level, beep, popup closed. Levels
    // above 10 are refused before anything changes.
    void SetGlassLevel(Hwnd window, std::int16_t level);

    Hwnd FindTaskbar();
    void BeepFeedback();
    void ApplyTaskbarAlpha();

private:
    Platform& platform_;
    SettingsStore& store_;
    PopupCloser* popupCloser_ = nullptr;
};

}  // namespace lumvale
