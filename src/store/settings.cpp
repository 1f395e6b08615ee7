#include "store/settings.h"

#include <utility>

#include "store/conversions.h"

namespace lumvale {
namespace {

// One row per in-memory setting: where it is stored, its default, and the
// field it fills. Loading and saving both walk this table, so the two can
// never disagree about a name.
struct FlagRow {
    const std::wstring& key;
    const wchar_t* defaultText;
    bool Settings::*field;
};
struct IndexRow {
    const std::wstring& key;
    const wchar_t* defaultText;
    std::int16_t Settings::*field;
};

const FlagRow kFlagRows[] = {
    {store_names::kRemember, L"0", &Settings::RememberOn},
    {store_names::kBeep, L"0", &Settings::BeepOn},
};
const IndexRow kIndexRows[] = {
    {store_names::kPopupKeys, L"1", &Settings::PopupKeys},
    {store_names::kHotKeys, L"6", &Settings::HotKeys},
};

// Both lists name the same eight combinations; the popup list has "right
// button alone" at 1, so its indexes are one higher.
constexpr unsigned kCombinations[] = {0, kAlt, kCtrl, kShift, kAlt | kCtrl, kAlt | kShift, kCtrl | kShift,
                                      kAlt | kCtrl | kShift};

}  // namespace

std::optional<unsigned> HotKeyModifiers(std::int16_t hotKeys) {
    if (hotKeys < 1 || hotKeys > 7) return std::nullopt;
    return kCombinations[hotKeys];
}

std::optional<unsigned> PopupTriggerModifiers(std::int16_t popupKeys) {
    if (popupKeys < 1 || popupKeys > 8) return std::nullopt;
    return kCombinations[popupKeys - 1];
}

std::wstring ModifierNames(unsigned modifiers) {
    std::wstring names;
    for (const auto& [modifier, name] : {std::pair{kAlt, L"Alt"}, {kCtrl, L"Ctrl"}, {kShift, L"Shift"}})
        if (modifiers & modifier) names += (names.empty() ? L"" : L" + ") + std::wstring(name);
    return names;
}

void ReadSettings(SettingsStore& store, Settings& settings) {
    for (const auto& row : kFlagRows) {
        if (auto on = FlagFromText(store.ReadSetting(store_names::kSettings, row.key, row.defaultText)))
            settings.*row.field = *on;
    }
    for (const auto& row : kIndexRows) {
        if (auto index = Int16FromText(store.ReadSetting(store_names::kSettings, row.key, row.defaultText)))
            settings.*row.field = *index;
    }
}

bool SaveSettings(SettingsStore& store, const Settings& settings) {
    bool written = true;
    for (const auto& row : kFlagRows)
        written = store.WriteSetting(store_names::kSettings, row.key, settings.*row.field ? L"1" : L"0") && written;
    for (const auto& row : kIndexRows)
        written = store.WriteSetting(store_names::kSettings, row.key, DecimalText(settings.*row.field)) && written;
    return written;
}

}  // namespace lumvale
