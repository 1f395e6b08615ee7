#include "glass/glass.h"

#include "store/conversions.h"

namespace lumvale {
namespace {

// The mark's bits: alpha in 0-7, the attribute flags in 8-9.
constexpr std::uintptr_t kMarkKnown = 1u << 10;
constexpr std::uintptr_t kMarkLayered = 1u << 11;
constexpr std::uintptr_t kMarkPresent = 1u << 12;

}  // namespace

std::int16_t AlphaForGlassLevel(std::int16_t level) {
    if (level < 1) return kOpaqueAlpha;
    return static_cast<std::int16_t>(105 + 15 * level);
}

std::uintptr_t EncodeMark(const GlassMark& mark) {
    std::uintptr_t value = kMarkPresent | mark.attributes.alpha | ((mark.attributes.flags & 3u) << 8);
    if (mark.layered) value |= kMarkLayered;
    if (mark.known) value |= kMarkKnown;
    return value;
}

std::optional<GlassMark> DecodeMark(std::uintptr_t value) {
    if ((value & ~std::uintptr_t{0x1FFF}) != 0 || (value & kMarkPresent) == 0) return std::nullopt;
    GlassMark mark;
    mark.layered = (value & kMarkLayered) != 0;
    mark.known = (value & kMarkKnown) != 0;
    mark.attributes.alpha = static_cast<std::uint8_t>(value & 0xFF);
    mark.attributes.flags = static_cast<std::uint32_t>((value >> 8) & 3u);
    return mark;
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

bool Glass::Answers(Hwnd window) { return platform_.SendMessageTimeout(window, kAnswerTimeoutMs); }

Glass::Drawing Glass::Inspect(Hwnd window, LayeredAttributes& current) {
    if (!IsLayered(window)) return Drawing::Plain;
    switch (platform_.GetLayeredWindowAttributes(window, current)) {
        case LayeredQuery::Ok:
            return Drawing::Known;
        case LayeredQuery::Failed:
            // Layered without attributes: its program draws it with
            // UpdateLayeredWindow, which attributes set here would stop.
            return Drawing::PerPixel;
        case LayeredQuery::Unsupported:
            break;
    }
    // Before Windows XP nothing can be read: a constant alpha, as it was
    // always taken to be.
    current = LayeredAttributes{};
    return Drawing::Unknown;
}

bool Glass::Accepts(Hwnd window) {
    LayeredAttributes current;
    return Answers(window) && Inspect(window, current) != Drawing::PerPixel;
}

bool Glass::SetWindowAlpha(Hwnd window, std::int16_t alpha) {
    if (alpha < 0 || alpha > kOpaqueAlpha) return false;
    // Changing another thread's window waits for that thread.
    if (!Answers(window)) return false;
    LayeredAttributes current;
    const Drawing drawing = Inspect(window, current);
    if (drawing == Drawing::PerPixel) return false;
    if (alpha == kOpaqueAlpha) return MakeOpaque(window, drawing, current);

    const bool marked = DecodeMark(platform_.GetProp(window, kMarkProperty)).has_value();
    if (!marked) {
        const GlassMark mark{drawing != Drawing::Plain, drawing == Drawing::Known, current};
        platform_.SetProp(window, kMarkProperty, EncodeMark(mark));
    }
    // A colour key is the window's shape: it stays.
    LayeredAttributes wanted;
    wanted.alpha = static_cast<std::uint8_t>(alpha);
    wanted.flags = kLwaAlpha;
    if (drawing == Drawing::Known && (current.flags & kLwaColorKey)) {
        wanted.key = current.key;
        wanted.flags |= kLwaColorKey;
    }
    if (drawing == Drawing::Plain) SetLayeredStyle(window, true);
    if (platform_.SetLayeredWindowAttributes(window, wanted)) return true;
    // A layered window without attributes is never drawn: take back what
    // this call added.
    if (drawing == Drawing::Plain) {
        SetLayeredStyle(window, false);
        if (!marked) platform_.RemoveProp(window, kMarkProperty);
    }
    return false;
}

bool Glass::MakeOpaque(Hwnd window, Drawing drawing, const LayeredAttributes& current) {
    if (drawing == Drawing::Plain) return true;
    const std::optional<GlassMark> mark = DecodeMark(platform_.GetProp(window, kMarkProperty));
    if (mark && mark->layered && mark->known) {
        // The program's own alpha and flags, with the key the window kept.
        // The mark stays, so that "opaque" again (a hot-key repeats while
        // held) gives the same.
        LayeredAttributes own = mark->attributes;
        own.key = current.key;
        return platform_.SetLayeredWindowAttributes(window, own);
    }
    if (mark) {
        platform_.RemoveProp(window, kMarkProperty);
    } else if (drawing == Drawing::Known && (current.flags & kLwaColorKey)) {
        // Keyed by its program, and nothing of Lumvale's on it.
        return true;
    }
    RemoveLayering(window);
    return true;
}

void Glass::RemoveLayering(Hwnd window) {
    SetLayeredStyle(window, false);
    RedrawScreen();
    // Other handlers, the popup's and a timer tick among them, may run here.
    platform_.ProcessPendingMessages();
}

bool Glass::SetGlassLevel(Hwnd window, std::int16_t level) {
    if (level > kHighestGlassLevel) return false;
    const bool changed = SetWindowAlpha(window, AlphaForGlassLevel(level));
    if (changed) BeepFeedback();
    ClosePopup();
    return changed;
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
