#pragma once
// The four settings that the program holds in memory for the whole process.

#include <cstdint>
#include <optional>
#include <string>

#include "store/settings_store.h"

namespace lumvale {

struct Settings {
    bool RememberOn = false;
    bool BeepOn = false;
    std::int16_t PopupKeys = 0;
    std::int16_t HotKeys = 0;
};

// Modifier sets of the two setting indexes; nothing when the index means off.
enum Modifier : unsigned { kAlt = 1, kCtrl = 2, kShift = 4 };
std::optional<unsigned> HotKeyModifiers(std::int16_t hotKeys);
std::optional<unsigned> PopupTriggerModifiers(std::int16_t popupKeys);
// The keys of a set as the user reads them: "Ctrl + Shift".
std::wstring ModifierNames(unsigned modifiers);

// Reads the four settings; a value that does not convert leaves its setting
// as it was.
void ReadSettings(SettingsStore& store, Settings& settings);

// Writes the four settings as "1"/"0" and decimal text; false where one
// could not be written.
bool SaveSettings(SettingsStore& store, const Settings& settings);

}  // namespace lumvale
