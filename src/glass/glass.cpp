#include "glass/glass.h"

#include "store/conversions.h"

namespace lumvale {
namespace {

// The mark's bits: the program's alpha in 0-7 and attribute flags in 8-9;
// what Lumvale left: its alpha in 13-20, its flags in 21-22. Marks of earlier
// versions end at bit 12.
constexpr std::uintptr_t kMarkKnown = 1u << 10;
constexpr std::uintptr_t kMarkLayered = 1u << 11;
constexpr std::uintptr_t kMarkPresent = 1u << 12;
constexpr int kLeftShift = 13;
constexpr std::uintptr_t kLeftPresent = 1u << 23;
constexpr std::uintptr_t kMarkBits = (1u << 24) - 1;

std::uintptr_t EncodeAttributes(const LayeredAttributes& attributes) {
    return attributes.alpha | ((attributes.flags & 3u) << 8);
}
LayeredAttributes DecodeAttributes(std::uintptr_t bits) {
    LayeredAttributes attributes;
    attributes.alpha = static_cast<std::uint8_t>(bits & 0xFF);
    attributes.flags = static_cast<std::uint32_t>((bits >> 8) & 3u);
    return attributes;
}

// Equal in what shows: the flags, and the alpha where the flags use it.
bool SameLook(const LayeredAttributes& a, const LayeredAttributes& b) {
    return (a.flags & 3u) == (b.flags & 3u) && ((a.flags & kLwaAlpha) == 0 || a.alpha == b.alpha);
}

}  // namespace

std::int16_t AlphaForGlassLevel(std::int16_t level) {
    if (level < 1) return kOpaqueAlpha;
    return static_cast<std::int16_t>(105 + 15 * level);
}

std::uintptr_t EncodeMark(const GlassMark& mark) {
    std::uintptr_t value = kMarkPresent | EncodeAttributes(mark.attributes);
    if (mark.layered) value |= kMarkLayered;
    if (mark.known) value |= kMarkKnown;
    if (mark.left) value |= kLeftPresent | EncodeAttributes(*mark.left) << kLeftShift;
    return value;
}

std::optional<GlassMark> DecodeMark(std::uintptr_t value) {
    if ((value & ~kMarkBits) != 0 || (value & kMarkPresent) == 0) return std::nullopt;
    GlassMark mark;
    mark.layered = (value & kMarkLayered) != 0;
    mark.known = (value & kMarkKnown) != 0;
    mark.attributes = DecodeAttributes(value);
    if (value & kLeftPresent) mark.left = DecodeAttributes(value >> kLeftShift);
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

void Glass::RedrawScreen() { platform_.RedrawWindowScreen(platform_.GetVirtualScreen()); }

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

std::optional<GlassMark> Glass::CurrentMark(Hwnd window, Drawing drawing, const LayeredAttributes& current) {
    std::optional<GlassMark> mark = DecodeMark(platform_.GetProp(window, kMarkProperty));
    if (!mark) return mark;
    // Lumvale leaves a window it marked layered, with the attributes noted;
    // where the window no longer shows them, its program changed it since
    // (faded itself in and dropped its layering, say), and what the mark
    // says the program had set is no longer true.
    const bool asLeft = drawing != Drawing::Plain &&
                        (drawing != Drawing::Known || !mark->left || SameLook(current, *mark->left));
    if (asLeft) return mark;
    platform_.RemoveProp(window, kMarkProperty);
    return std::nullopt;
}

AlphaChange Glass::SetWindowAlpha(Hwnd window, std::int16_t alpha, const OnMade& made) {
    if (alpha < 0 || alpha > kOpaqueAlpha) return AlphaChange::Refused;
    // Changing another thread's window waits for that thread.
    if (!Answers(window)) return AlphaChange::NoAnswer;
    LayeredAttributes current;
    const Drawing drawing = Inspect(window, current);
    if (drawing == Drawing::PerPixel) return AlphaChange::PerPixel;
    std::optional<GlassMark> mark = CurrentMark(window, drawing, current);
    if (alpha == kOpaqueAlpha) {
        ReleaseMouse(window);
        return MakeOpaque(window, drawing, current, mark, made);
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
    if (!platform_.SetLayeredWindowAttributes(window, wanted)) {
        // A layered window without attributes is never drawn: the style that
        // this call added goes again.
        if (drawing == Drawing::Plain) SetLayeredStyle(window, false);
        return AlphaChange::Refused;
    }
    if (!mark) mark = GlassMark{drawing != Drawing::Plain, drawing == Drawing::Known, current, std::nullopt};
    mark->left = wanted;
    platform_.SetProp(window, kMarkProperty, EncodeMark(*mark));
    if (made) made();
    return AlphaChange::Made;
}

AlphaChange Glass::MakeOpaque(Hwnd window, Drawing drawing, const LayeredAttributes& current,
                              std::optional<GlassMark>& mark, const OnMade& made) {
    if (mark && mark->layered && mark->known) {
        // The program's own alpha and flags, with the key the window kept.
        // The mark stays, so that "opaque" again (a hot-key repeats while
        // held) gives the same.
        LayeredAttributes own = mark->attributes;
        own.key = current.key;
        if (!platform_.SetLayeredWindowAttributes(window, own)) return AlphaChange::Refused;
        mark->left = own;
        platform_.SetProp(window, kMarkProperty, EncodeMark(*mark));
    } else if (drawing != Drawing::Plain) {
        // A window keyed by its program, with nothing of Lumvale's on it,
        // keeps its layering.
        const bool keyedByItsProgram = !mark && (current.flags & kLwaColorKey);
        if (!keyedByItsProgram) {
            if (mark) platform_.RemoveProp(window, kMarkProperty);
            RemoveLayering(window, made);
            return AlphaChange::Made;
        }
    }
    if (made) made();
    return AlphaChange::Made;
}

void Glass::RemoveLayering(Hwnd window, const OnMade& made) {
    SetLayeredStyle(window, false);
    if (made) made();
    RedrawScreen();
    // Other handlers, the popup's and a timer tick among them, may run here.
    platform_.ProcessPendingMessages();
}

AlphaChange Glass::SetGlassLevel(Hwnd window, std::int16_t level, const OnMade& record) {
    if (level > kHighestGlassLevel) return AlphaChange::Refused;
    const AlphaChange change = SetWindowAlpha(window, AlphaForGlassLevel(level), record);
    if (change == AlphaChange::Made) {
        platform_.RemoveProp(window, kGivenBackProperty);
        BeepFeedback();
    }
    ClosePopup();
    return change;
}

bool Glass::SeeThrough(Hwnd window) {
    LayeredAttributes current;
    switch (Inspect(window, current)) {
        case Drawing::Known: return (current.flags & kLwaAlpha) && current.alpha < kOpaqueAlpha;
        case Drawing::Unknown: return true;
        default: return false;
    }
}

AlphaChange Glass::SetMouseThrough(Hwnd window, bool through) {
    return Answers(window) ? MouseThrough(window, through) : AlphaChange::NoAnswer;
}

AlphaChange Glass::MouseThrough(Hwnd window, bool through) {
    const std::int32_t style = platform_.GetWindowLongExStyle(window);
    // A window its program made see-through to the mouse stays so.
    if (((style & kExStyleTransparent) != 0) != through && (through || platform_.GetProp(window, kThroughProperty))) {
        platform_.SetWindowLongExStyle(window, style ^ kExStyleTransparent);
        if (((platform_.GetWindowLongExStyle(window) & kExStyleTransparent) != 0) != through) return AlphaChange::Refused;
        if (through) platform_.SetProp(window, kThroughProperty, 1);
    }
    if (!through) platform_.RemoveProp(window, kThroughProperty);
    return AlphaChange::Made;
}

void Glass::ReleaseMouse(Hwnd window) {
    if (platform_.GetProp(window, kThroughProperty)) MouseThrough(window, false);
}

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

}  // namespace lumvale
