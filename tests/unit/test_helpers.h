#pragma once
// Shared set-up for the unit tests: a fake desktop with the program's store.

#include <gtest/gtest.h>

#include <string>

#include "store/settings.h"
#include "store/settings_store.h"
#include "fake/fake_platform.h"
#include "glass/glass.h"
#include "popup/window_info.h"

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

// A desktop on which a window of editor.exe, of the given class, is in front;
// the beep is off so that glass changes make no sound calls.
class EditorInFront : public ::testing::Test {
protected:
    explicit EditorInFront(const wchar_t* editorClass) {
        fake.AddProcess(100, L"editor.exe");
        editor = fake.AddWindow({editorClass, L"notes.txt", 0, 100, 101});
        fake.foreground = editor;
        StoreSetting(fake, store_names::kBeep, L"0");
    }

    fake::FakePlatform fake;
    SettingsStore store{fake};
    Settings settings;
    Glass glass{fake, store};
    WindowInfo windows{fake};
    Hwnd editor = 0;
};

}  // namespace lumvale::testing
