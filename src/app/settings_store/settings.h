#pragma once
// The four settings that the program holds in memory for the whole process.

#include <cstdint>

#include "app/settings_store/settings_store.h"

namespace lumvale {

class Glass;

struct Settings {
    bool RememberOn = false;
    bool BeepOn = false;
    std::int16_t PopupKeys = 0;
    std::int16_t HotKeys = 0;
};

// Reads the four settings (a value that does not convert leaves its setting
// as it was), applies the stored taskbar alpha and empties the run records.
void LoadSettings(SettingsStore& store, Settings& settings, Glass& glass);

// Writes the four settings as "1"/"0" and decimal text.
void SaveSettings(SettingsStore& store, const Settings& settings);

}  // namespace lumvale
