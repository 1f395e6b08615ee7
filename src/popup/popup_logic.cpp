#include "popup/popup_logic.h"

#include <algorithm>

#include "store/conversions.h"

namespace lumvale {
std::wstring ClassCaption(const std::wstring& className) { return className.substr(0, 15) + L"..."; }

Point PopupPosition(Point cursor, Size popup, const Rect& workArea, int gap) {
    Point at{cursor.x - popup.width - gap, cursor.y + gap};
    // Where it does not fit, it goes to the other side of the pointer, and
    // in any case onto the work area.
    if (at.x < workArea.left) at.x = cursor.x + gap;
    if (at.y + popup.height > workArea.bottom) at.y = cursor.y - gap - popup.height;
    at.x = std::max(workArea.left, std::min(at.x, workArea.right - popup.width));
    at.y = std::max(workArea.top, std::min(at.y, workArea.bottom - popup.height));
    return at;
}

std::optional<PopupContent> PopupLogic::ShowMe() {
    target_ = platform_.GetForegroundWindow();
    // A right click on the taskbar, its icons or the desktop is the shell's,
    // whatever window was in front before the click reached it.
    if (target_ == 0 || windows_.IsNeverATarget(target_) ||
        windows_.IsNeverATarget(platform_.WindowFromPoint(platform_.GetCursorPos())))
        return std::nullopt;
    targetKey_ = DecimalText(target_);

    PopupContent content;
    content.target = target_;
    content.targetKey = targetKey_;
    content.exeCaption = windows_.ExeName(target_);
    content.classTooltip = windows_.WindowTitle(target_);
    content.classCaption = ClassCaption(windows_.WindowClass(target_));

    const std::wstring identity = windows_.WindowIdentity(target_);
    const bool remembered =
        (!identity.empty() && !store_.ReadSetting(store_names::kWins, identity, L"").empty()) ||
        settings_.RememberOn;
    if (remembered) {
        content.alwaysTicked = true;
        content.alwaysEnabled = false;
    }

    content.throughTicked = platform_.GetProp(target_, kThroughProperty) &&
                            (platform_.GetWindowLongExStyle(target_) & kExStyleTransparent);
    content.throughEnabled = content.throughTicked || glass_.SeeThrough(target_);

    const auto stored = RecordValueFromText(store_.ReadSetting(store_names::kTemp, targetKey_, L"-2"));
    const std::int16_t n = stored.value_or(-2);
    if (n > -2) {
        // An index outside the list selects nothing.
        content.listIndex = n < kListEntries ? n : kNoListSelection;
        content.topTicked = !store_.ReadSetting(store_names::kTemp, targetKey_ + store_names::kTopSuffix, L"").empty();
    }
    return content;
}

void PopupLogic::SaveChoice(Hwnd target, const std::wstring& targetKey, const PopupChoice& choice) {
    const std::wstring index = DecimalText(choice.listIndex);
    // A window whose program cannot be named is not remembered: the record
    // would be the section's unnamed default value.
    const std::wstring identity = windows_.WindowIdentity(target);
    if (!identity.empty()) {
        if (choice.always)
            store_.WriteSetting(store_names::kWins, identity, index);
        else
            store_.DeleteValue(store_names::kWins, identity);
    }
    store_.WriteSetting(store_names::kTemp, targetKey, index);
    if (choice.top)
        store_.WriteSetting(store_names::kTemp, targetKey + store_names::kTopSuffix, L"1");
    else
        store_.DeleteValue(store_names::kTemp, targetKey + store_names::kTopSuffix);
}

// The handlers hold on to the target they were given: the calls that wait
// for it or beep dispatch messages, and a new popup may open meanwhile.
void PopupLogic::ListChoice(const PopupChoice& choice) {
    const Hwnd target = target_;
    const std::wstring targetKey = targetKey_;
    const AlphaChange change = glass_.SetGlassLevel(target, static_cast<std::int16_t>(choice.listIndex + 1),
                                                    [&] { SaveChoice(target, targetKey, choice); });
    notice_.Explain(target, change);
}

void PopupLogic::TopClicked(const PopupChoice& choice) {
    const Hwnd target = target_;
    const std::wstring targetKey = targetKey_;
    // Moving another thread's window waits for that thread.
    if (!glass_.Answers(target)) return;
    const bool onTopBefore = (platform_.GetWindowLongExStyle(target) & kExStyleTopmost) != 0;
    if (!(choice.top ? MakeTopmost(platform_, target) : MakeNotTopmost(platform_, target))) return;
    // Noted on the window for whoever gives it back, unless its program had it on top.
    if (!choice.top)
        platform_.RemoveProp(target, kTopProperty);
    else if (!onTopBefore)
        platform_.SetProp(target, kTopProperty, 1);
    SaveChoice(target, targetKey, choice);
}

void PopupLogic::ThroughClicked(const PopupChoice& choice) {
    const Hwnd target = target_;
    const AlphaChange change = glass_.SetMouseThrough(target, choice.through);
    notice_.Explain(target, change);
    if (change == AlphaChange::Made && choice.through) notice_.TellTheWayBack(target, HotKeyModifiers(settings_.HotKeys));
}

void PopupLogic::NoGlass(PopupChoice choice) {
    choice.listIndex = kNoListSelection;
    ListChoice(choice);
}

bool PopupLogic::MakeTopmost(Platform& platform, Hwnd window) {
    return platform.SetWindowPosZOrder(window, kHwndTopmost, ZOrderMove::Activating);
}

bool PopupLogic::MakeNotTopmost(Platform& platform, Hwnd window) {
    return platform.SetWindowPosZOrder(window, kHwndNotTopmost, ZOrderMove::Activating);
}

}  // namespace lumvale
