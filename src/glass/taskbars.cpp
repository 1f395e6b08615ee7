// The taskbars' own opacity: every taskbar of every monitor gets the stored
// alpha, and the slider's while it is dragged.
#include <algorithm>

#include "glass/glass.h"
#include "store/conversions.h"

namespace lumvale {

std::vector<Hwnd> Glass::FindTaskbars() {
    std::vector<Hwnd> found;
    for (const wchar_t* taskbarClass : {L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd"})
        for (Hwnd bar = 0; (bar = platform_.FindWindowEx(0, bar, taskbarClass)) != 0;) found.push_back(bar);
    return found;
}

void Glass::SetTaskbarAlpha(std::int16_t alpha) {
    taskbarAlpha_ = alpha;
    taskbarsDone_.clear();
    LookForTaskbars();
}

void Glass::ApplyTaskbarAlpha() {
    std::int16_t alpha = 0;
    if (auto stored = Int16FromText(store_.ReadSetting(store_names::kSettings, store_names::kTaskbarAlpha, L"255")))
        alpha = *stored;
    SetTaskbarAlpha(std::clamp(alpha, kMinTaskbarAlpha, kOpaqueAlpha));
}

void Glass::LookForTaskbars() {
    const unsigned look = ++taskbarLooks_;
    std::vector<Hwnd> done;
    for (const Hwnd bar : FindTaskbars()) {
        const bool had = std::find(taskbarsDone_.begin(), taskbarsDone_.end(), bar) != taskbarsDone_.end();
        // A taskbar whose shell is busy (restarting, say) is asked again at the next look.
        if (!had && SetWindowAlpha(bar, taskbarAlpha_) == AlphaChange::NoAnswer) continue;
        // Making a taskbar opaque dispatches messages: a look that began
        // meanwhile (the slider moved on) has done the rest.
        if (look != taskbarLooks_) return;
        done.push_back(bar);
    }
    taskbarsDone_ = std::move(done);
}

}  // namespace lumvale
