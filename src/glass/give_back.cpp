#include "glass/give_back.h"

#include <algorithm>
#include <iterator>

#include "store/conversions.h"

namespace lumvale {
namespace {

// The windows of Lumvale, of any running copy, which keep their own alpha.
constexpr const wchar_t* kOwnClasses[] = {L"LumvaleMain", L"LumvalePopup", L"LumvaleSettings", L"LumvaleAbout"};

}  // namespace

std::optional<AlphaChange> Glass::GiveBack(Hwnd window, bool& unlayered) {
    const bool glassed = platform_.GetProp(window, kMarkProperty) != 0;
    const bool onTop = platform_.GetProp(window, kTopProperty) != 0;
    if (!glassed && !onTop && !platform_.GetProp(window, kThroughProperty)) return std::nullopt;
    if (!Answers(window)) return AlphaChange::NoAnswer;
    ReleaseMouse(window);
    LayeredAttributes current;
    const Drawing drawing = Inspect(window, current);
    // A stale mark goes here: the window shows what its program set since.
    const std::optional<GlassMark> mark = glassed ? CurrentMark(window, drawing, current) : std::nullopt;
    if (mark && drawing != Drawing::PerPixel) {
        if (mark->layered && mark->known) {
            LayeredAttributes own = mark->attributes;
            own.key = current.key;
            if (!platform_.SetLayeredWindowAttributes(window, own)) return AlphaChange::Refused;
        } else if (drawing != Drawing::Plain) {
            SetLayeredStyle(window, false);
            if (IsLayered(window)) return AlphaChange::Refused;
            unlayered = true;
        }
    }
    if (mark) platform_.RemoveProp(window, kMarkProperty);
    if (onTop) {
        // Out of the topmost band, and nothing more: no window is activated
        // or raised on the way.
        if (!platform_.SetWindowPosZOrder(window, kHwndNotTopmost, ZOrderMove::Quietly)) return AlphaChange::Refused;
        platform_.RemoveProp(window, kTopProperty);
    }
    platform_.SetProp(window, kGivenBackProperty, 1);
    return AlphaChange::Made;
}

void GiveBackEveryWindow(Platform& platform, Glass& glass, SettingsStore& store, RefusalNotice& notice) {
    const std::vector<Hwnd> taskbars = glass.FindTaskbars();
    bool unlayered = false, explained = false;
    for (const Hwnd window : platform.EnumWindows()) {
        const std::wstring className = platform.GetClassName(window, 32);
        if (std::find(taskbars.begin(), taskbars.end(), window) != taskbars.end() ||
            std::any_of(std::begin(kOwnClasses), std::end(kOwnClasses), [&](const wchar_t* own) { return className == own; }))
            continue;
        const std::optional<AlphaChange> change = glass.GiveBack(window, unlayered);
        if (!change) continue;
        const std::wstring key = DecimalText(window);
        if (*change == AlphaChange::Made) {
            store.WriteSetting(store_names::kTemp, key, L"-1");
            store.DeleteValue(store_names::kTemp, key + store_names::kTopSuffix);
        } else if (!explained) {
            notice.Explain(window, *change);
            explained = true;
        }
    }
    if (!unlayered) return;
    glass.RedrawScreen();
    // Other handlers, a timer tick among them, may run here.
    platform.ProcessPendingMessages();
}

}  // namespace lumvale
