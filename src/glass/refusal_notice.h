#pragma once
// A word where Windows says no: a change the user asked for (a hot-key, a
// choice in the popup) that a window refused is explained once per window
// and run in a quiet balloon from the icon, so that a refusing window does
// not look like a broken Lumvale. Nothing is said of a remembered opacity
// applied on its own, and nothing where the icon is not there. A window
// made see-through to the mouse gets the way back that needs no mouse, once.

#include <optional>
#include <string>

#include "glass/glass.h"
#include "platform/window_set.h"

namespace lumvale {

// The icon's balloon; false where it could not be shown.
class Balloon {
public:
    virtual ~Balloon() = default;
    virtual bool ShowBalloon(const std::wstring& text) = 0;
};

class RefusalNotice {
public:
    RefusalNotice(Platform& platform, Balloon& balloon)
        : explained_(platform), toldTheWayBack_(platform), balloon_(balloon) {}

    // Says why `change` was not made to `window`, unless that was said for
    // this window already.
    void Explain(Hwnd window, AlphaChange change);
    // Says how to give the mouse back to `window` without it: the hot-key 0
    // with the modifiers of `hotKeys` (unless they are off), or the menu.
    void TellTheWayBack(Hwnd window, std::optional<unsigned> hotKeys);

private:
    WindowSet explained_, toldTheWayBack_;
    Balloon& balloon_;
};

}  // namespace lumvale
