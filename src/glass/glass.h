#pragma once
// Opacity operations on any top-level window: one constant alpha per window
// through the layered style, the confirmation beep and the taskbar's alpha.
//
// Another program's window is a guest room. A window is asked first whether
// its thread answers, since changing its style waits for that thread; one
// that does not answer is left alone. What its program had set (its own
// layering, alpha and colour key) is noted on the window itself the first
// time Lumvale changes it, so that "opaque" gives exactly that back, in this
// run or a later one, and by any running copy. A window that its program
// draws with per-pixel alpha is never touched.

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/platform.h"
#include "store/settings_store.h"

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
// How long a window's thread may take to answer before it counts as hung.
constexpr unsigned kAnswerTimeoutMs = 200;

// Alpha of a glass level: 105 + 15 × level from level 1, opaque below.
std::int16_t AlphaForGlassLevel(std::int16_t level);

// What a window's program had set before Lumvale first changed it, and the
// attributes Lumvale left on it. A window found in another state than Lumvale
// left it in was changed by its program since: its mark is stale.
struct GlassMark {
    bool layered = false;
    bool known = false;  // its attributes could be read (Windows XP and later)
    LayeredAttributes attributes;  // flags and alpha; the colour key stays on the window
    std::optional<LayeredAttributes> left;  // alpha and flags; none in marks of earlier versions
};
// The mark as the value of a window property, and back; a value that is no
// mark gives nothing.
std::uintptr_t EncodeMark(const GlassMark& mark);
std::optional<GlassMark> DecodeMark(std::uintptr_t value);
inline constexpr wchar_t kMarkProperty[] = L"Lumvale.Glass";
// Noted on a window that the popup's "最上" put on top (not on one that was
// on top before), so that any later copy can give it back.
inline constexpr wchar_t kTopProperty[] = L"Lumvale.Top";
// Noted on a window given back, so that no copy gives it a remembered
// opacity again (the run records that say so go with any copy's start or
// exit) until the user glasses it again.
inline constexpr wchar_t kGivenBackProperty[] = L"Lumvale.GivenBack";
// Noted on a window that the popup's "穿透" made see-through to the mouse
// (not on one whose program did), so that any copy can give the mouse back.
inline constexpr wchar_t kThroughProperty[] = L"Lumvale.Through";

// What became of an opacity change: made; refused before anything changed,
// since the window's thread does not answer (a later try may succeed);
// refused by the window itself (the system would not set its attributes, as
// for an elevated program's window, or the value is no alpha); or left
// alone, since its program draws it with per-pixel alpha.
enum class AlphaChange { Made, NoAnswer, Refused, PerPixel };

// Called once a change is made, before anything dispatches messages: the
// records of a change are written then, so that a change that arrives in
// the middle of this one (the beep lets it in) is recorded after it.
using OnMade = std::function<void()>;

class Glass {
public:
    Glass(Platform& platform, SettingsStore& store) : platform_(platform), store_(store) {}

    void SetPopupCloser(PopupCloser* closer) { popupCloser_ = closer; }
    void ClosePopup() {
        if (popupCloser_ != nullptr) popupCloser_->ClosePopup();
    }

    bool IsLayered(Hwnd window);
    void SetLayeredStyle(Hwnd window, bool on);
    // Repaints every window on every monitor.
    void RedrawScreen();

    // True when the window's thread answers within the time-out.
    bool Answers(Hwnd window);

    // 255 makes the window opaque: what its program had set comes back, the
    // layered style goes where Lumvale added it, and so does the mouse's way
    // through. 0-254 give it that alpha, with the colour key it has and the
    // mouse let through where it was. A change that is not made leaves the
    // window as it was, but for the mouse, which "opaque" gives back first
    // whatever follows: no window is left one cannot click.
    AlphaChange SetWindowAlpha(Hwnd window, std::int16_t alpha, const OnMade& made = {});

    // A change of the user's or a remembered one: alpha of the level, then
    // `record` and the beep if the alpha was set (the window is no longer
    // one given back); the popup closes either way. Levels above 10 are
    // refused before anything changes.
    AlphaChange SetGlassLevel(Hwnd window, std::int16_t level, const OnMade& record = {});

    void BeepFeedback();

    // The window shows a constant alpha below opaque: there is something to
    // see through, and the mouse may be let through to what lies beneath.
    bool SeeThrough(Hwnd window);
    // Lets the mouse through the window to whatever lies beneath
    // (WS_EX_TRANSPARENT on the layered window), or gives it back; noted on
    // the window where Lumvale added it. Refused where the window keeps its
    // style (an elevated program's).
    AlphaChange SetMouseThrough(Hwnd window, bool through);

    // The taskbars: the primary one and, from Windows 8 on, one on each
    // further monitor.
    std::vector<Hwnd> FindTaskbars();
    // Gives every taskbar `alpha` now; one that does not answer gets it from
    // a later look.
    void SetTaskbarAlpha(std::int16_t alpha);
    // The stored "TBar", kept within 105-255, for every taskbar.
    void ApplyTaskbarAlpha();
    // Gives the alpha last set to each taskbar that has not got it: one that
    // appeared since (a monitor plugged in) or did not answer. Costs a few
    // window lookups where every taskbar has it.
    void LookForTaskbars();

    // Gives back what Lumvale changed on a window, as its marks tell: its
    // program's own layering, alpha and colour key, and the normal band
    // where "最上" put it on top; the marks go. Nothing where it has no mark.
    // `unlayered` is set where the layering went: the screen then wants a
    // repaint, once for every window given back.
    std::optional<AlphaChange> GiveBack(Hwnd window, bool& unlayered);

private:
    // How a window is drawn: not layered; layered with attributes that can
    // be read, or (before Windows XP) cannot; or with per-pixel alpha.
    enum class Drawing { Plain, Known, Unknown, PerPixel };
    Drawing Inspect(Hwnd window, LayeredAttributes& current);
    // The window's mark, unless its program changed the window since.
    std::optional<GlassMark> CurrentMark(Hwnd window, Drawing drawing, const LayeredAttributes& current);
    AlphaChange MakeOpaque(Hwnd window, Drawing drawing, const LayeredAttributes& current,
                           std::optional<GlassMark>& mark, const OnMade& made);
    void RemoveLayering(Hwnd window, const OnMade& made);
    // SetMouseThrough of a window that answered; ReleaseMouse takes back the
    // mouse's way through where Lumvale made it.
    AlphaChange MouseThrough(Hwnd window, bool through);
    void ReleaseMouse(Hwnd window);

    Platform& platform_;
    SettingsStore& store_;
    PopupCloser* popupCloser_ = nullptr;
    std::int16_t taskbarAlpha_ = kOpaqueAlpha;
    std::vector<Hwnd> taskbarsDone_;  // the taskbars that have taskbarAlpha_
    unsigned taskbarLooks_ = 0;       // counts the looks, so that one can tell another ran inside it
};

}  // namespace lumvale
