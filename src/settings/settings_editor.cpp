#include "settings/settings_editor.h"

#include "settings/startup_entry.h"

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
    platform_.SetWindowPosZOrder(dialog, kHwndTopmost);
    glass_.SetWindowAlpha(dialog, kDialogAlpha);
    return choices;
}

bool SettingsEditor::Save(const SettingsChoices& choices, std::int32_t sliderWidth,
                          const std::wstring& startupCommand) {
    const bool startAsAsked = SetStartsWithWindows(platform_, choices.startWithWindows, startupCommand);
    settings_.BeepOn = choices.beep;
    settings_.RememberOn = choices.remember;
    settings_.PopupKeys = static_cast<std::int16_t>(choices.popupKeys);
    settings_.HotKeys = static_cast<std::int16_t>(choices.hotKeys);
    slider_.Save(sliderWidth);
    SaveSettings(store_, settings_);
    return startAsAsked;
}

}  // namespace lumvale
