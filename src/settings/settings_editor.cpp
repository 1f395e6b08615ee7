#include "settings/settings_editor.h"

namespace lumvale {
namespace {

int ListIndex(std::int16_t index, int items) { return index >= 0 && index < items ? index : -1; }

}  // namespace

SettingsChoices SettingsEditor::Load(Hwnd dialog, std::int32_t sliderWidth) {
    SettingsChoices choices;
    // Only presence counts, not whether the command is this program's path.
    choices.startWithWindows = StartsWithWindows(platform_);
    choices.remember = settings_.RememberOn;
    choices.beep = settings_.BeepOn;
    choices.popupKeys = ListIndex(settings_.PopupKeys, kPopupKeyItems);
    choices.hotKeys = ListIndex(settings_.HotKeys, kHotKeyItems);
    slider_.Load(sliderWidth);
    platform_.SetWindowPosZOrder(dialog, kHwndTopmost, ZOrderMove::Activating);
    glass_.SetWindowAlpha(dialog, kDialogAlpha);
    return choices;
}

SettingsEditor::Saved SettingsEditor::Save(const SettingsChoices& choices, std::int32_t sliderWidth,
                                           const std::wstring& startupCommand) {
    const Settings chosen{choices.remember, choices.beep, static_cast<std::int16_t>(choices.popupKeys),
                          static_cast<std::int16_t>(choices.hotKeys)};
    Saved saved;
    saved.stored = slider_.Save(sliderWidth) && SaveSettings(store_, chosen);
    if (!saved.stored) return saved;
    saved.startup = SetStartsWithWindows(platform_, choices.startWithWindows, startupCommand);
    settings_ = chosen;
    return saved;
}

}  // namespace lumvale
