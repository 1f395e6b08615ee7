#include "glass/glass.h"

#include "app/settings_store/conversions.h"

namespace lumvale {

std::int16_t AlphaForGlassLevel(std::int16_t level) {
    if (level < 1) return kOpaqueAlpha;
    return static_cast<std::int16_t>(105 + 15 * level);
}

bool Glass::IsLayered(Hwnd window) {
    return (platform_.GetWindowLongExStyle(window) & kExStyleLayered) == kExStyleLayered;
}

void Glass::SetLayeredStyle(Hwnd window, bool on) {
    std::int32_t style = platform_.GetWindowLongExStyle(window);
    style = on ? (style | kExStyleLayered) : (style & ~kExStyleLayered);
    platform_.SetWindowLongExStyle(window, style);
}

void Glass::RedrawScreen() {
    platform_.RedrawWindowScreen(platform_.GetScreenWidth(), platform_.GetScreenHeight());
}

void Glass::SetWindowAlpha(Hwnd window, std::int16_t alpha) {
    if (alpha < 0 || alpha > kOpaqueAlpha) return;
    if (alpha == kOpaqueAlpha) {
        if (!IsLayered(window)) return;
        SetLayeredStyle(window, false);
        RedrawScreen();
        // Other handlers, the popup's and a timer tick among them, may run here.
        platform_.ProcessPendingMessages();
        return;
    }
    const bool layeredBefore = IsLayered(window);
    if (!layeredBefore) SetLayeredStyle(window, true);
    // A layered window without an alpha is never drawn; if the alpha cannot
    // be set, take back the style this call added.
    if (!platform_.SetLayeredWindowAttributes(window, static_cast<std::uint8_t>(alpha)) &&
        !layeredBefore)
        SetLayeredStyle(window, false);
}

void Glass::SetGlassLevel(Hwnd window, std::int16_t level) {
    if (level > kHighestGlassLevel) return;
    SetWindowAlpha(window, AlphaForGlassLevel(level));
    BeepFeedback();
    if (popupCloser_ != nullptr) popupCloser_->ClosePopup();
}

Hwnd Glass::FindTaskbar() { return platform_.FindWindow(L"Shell_TrayWnd", L""); }

void Glass::BeepFeedback() {
    const auto on = FlagFromText(store_.ReadSetting(store_names::kSettings, store_names::kBeep, L"1"));
    if (!on || !*on) return;
    // Each tone blocks the thread; messages that queued meanwhile are handled
    // between the tones, so this call may be re-entered.
    platform_.Beep(500, 10);
    platform_.ProcessPendingMessages();
    platform_.Beep(1000, 20);
    platform_.ProcessPendingMessages();
    platform_.Beep(500, 10);
    platform_.ProcessPendingMessages();
}

void Glass::ApplyTaskbarAlpha() {
    std::int16_t alpha = 0;
    if (auto stored = Int16FromText(store_.ReadSetting(store_names::kSettings, store_names::kTaskbarAlpha, L"255")))
        alpha = *stored;
    if (alpha < kMinTaskbarAlpha) alpha = kMinTaskbarAlpha;
    if (alpha > kOpaqueAlpha) alpha = kOpaqueAlpha;
    SetWindowAlpha(FindTaskbar(), alpha);
}

}  // namespace lumvale
