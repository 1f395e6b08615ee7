#pragma once
// Shared set-up for the unit tests: a fake desktop with the program's store.

#include <string>

#include "app/settings_store/settings_store.h"
#include "glass/glass.h"
#include "fake/fake_platform.h"

namespace lumvale::testing {

inline const std::wstring kSettingsPath = kApplicationKey + L"\\" + store_names::kSettings;
inline const std::wstring kWinsPath = kApplicationKey + L"\\Wins";
inline const std::wstring kTempPath = kApplicationKey + L"\\Temp";

inline void StoreSetting(fake::FakePlatform& fake, const std::wstring& key, const std::wstring& text) {
    fake.SetValue(RegRoot::CurrentUser, kSettingsPath, key, text);
}
inline std::optional<std::wstring> StoredSetting(const fake::FakePlatform& fake, const std::wstring& key) {
    return fake.Value(RegRoot::CurrentUser, kSettingsPath, key);
}

// Counts the requests to close the popup.
class CountingCloser : public PopupCloser {
public:
    void ClosePopup() override { ++closes; }
    int closes = 0;
};

}  // namespace lumvale::testing
