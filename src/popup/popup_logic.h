#pragma once
// What the transparency popup shows and what its controls do, apart from
// the window itself: the records it reads and writes and the changes it
// makes to its target.

#include <cstdint>
#include <optional>
#include <string>

#include "store/settings.h"
#include "glass/glass.h"
#include "glass/refusal_notice.h"
#include "platform/platform.h"
#include "popup/window_info.h"

namespace lumvale {

constexpr std::int16_t kNoListSelection = -1;
constexpr std::int16_t kListEntries = 9;  // "10%" to "90%"

// What ShowMe puts into the controls.
struct PopupContent {
    Hwnd target = 0;
    std::wstring targetKey;      // the target's run-record name
    std::wstring exeCaption;     // lbExe
    std::wstring classCaption;   // lbClass
    std::wstring classTooltip;   // lbClass's tooltip: the title
    bool alwaysTicked = false;   // chkAlways
    bool alwaysEnabled = true;
    std::int16_t listIndex = kNoListSelection;  // lstPercent
    bool topTicked = false;      // chkTop
    bool throughTicked = false;  // chkThrough: the mouse passes through by Lumvale's doing
    bool throughEnabled = false;  // something to see through
};

// The state of the controls when a handler runs.
struct PopupChoice {
    std::int16_t listIndex = kNoListSelection;
    bool top = false;
    bool always = false;
    bool through = false;
};

// The first 15 characters of the class followed by "...", whatever its length.
std::wstring ClassCaption(const std::wstring& className);

// The popup's top left corner: its right edge `gap` pixels left of the
// pointer and its top `gap` pixels below it. Where it would leave the work
// area of the pointer's monitor it flips to the right of or above the
// pointer, and it is kept on the work area.
Point PopupPosition(Point cursor, Size popup, const Rect& workArea, int gap);

class PopupLogic {
public:
    PopupLogic(Platform& platform, SettingsStore& store, const Settings& settings, Glass& glass,
               WindowInfo& windows, RefusalNotice& notice)
        : platform_(platform), store_(store), settings_(settings), glass_(glass), windows_(windows), notice_(notice) {}

    // Takes the foreground window as the target and reads its records;
    // nothing when there is no foreground window, when it or the window under
    // the pointer is never a target (the popup then closes).
    std::optional<PopupContent> ShowMe();

    // Handlers, on the target of the last ShowMe. Each saves the choice
    // only once what it asks of the target is done.
    void AlwaysClicked(const PopupChoice& choice) { SaveChoice(target_, targetKey_, choice); }
    // Sets the glass level of the choice, which also closes the popup (the
    // caller must not touch its controls afterwards), and saves the choice
    // where the target took it, before the beep lets another choice in.
    void ListChoice(const PopupChoice& choice);
    // Nothing happens for a target that does not answer.
    void TopClicked(const PopupChoice& choice);
    // Lets the mouse through the target, or gives it back; never recorded.
    // Where the mouse is let through, the way back is told.
    void ThroughClicked(const PopupChoice& choice);
    // Clears the choice and makes the target opaque.
    void NoGlass(PopupChoice choice);

    Hwnd target() const { return target_; }

    // MakeTopmost and MakeNotTopmost; false when the window was not moved.
    static bool MakeTopmost(Platform& platform, Hwnd window);
    static bool MakeNotTopmost(Platform& platform, Hwnd window);

private:
    void SaveChoice(Hwnd target, const std::wstring& targetKey, const PopupChoice& choice);

    Platform& platform_;
    SettingsStore& store_;
    const Settings& settings_;
    Glass& glass_;
    WindowInfo& windows_;
    RefusalNotice& notice_;
    Hwnd target_ = 0;
    std::wstring targetKey_;
};

}  // namespace lumvale
