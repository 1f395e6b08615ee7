#pragma once
// The unit tests' desktop: the fake platform with the program's store and a
// window of editor.exe in front, the beep off.

#include <gtest/gtest.h>

#include "fake/fake_platform.h"
#include "glass/glass.h"
#include "popup/window_info.h"
#include "store/settings.h"

namespace lumvale::testing {

inline const std::wstring kSettingsPath = kApplicationKey + L"\\" + store_names::kSettings;
inline const std::wstring kWinsPath = kApplicationKey + L"\\Wins";
inline const std::wstring kTempPath = kApplicationKey + L"\\Temp";

class Desktop : public ::testing::Test, public PopupCloser {
protected:
    Desktop() {
        fake.AddProcess(100, L"editor.exe");
        editor = fake.AddWindow({L"EditorMain", L"notes.txt", 0, 100, 101});
        fake.foreground = editor;
        Store(store_names::kBeep, L"0");
        glass.SetPopupCloser(this);
    }
    void ClosePopup() override { ++popupCloses; }

    void Store(const std::wstring& key, const std::wstring& text) {
        fake.SetValue(RegRoot::CurrentUser, kSettingsPath, key, text);
    }
    std::optional<std::wstring> Record(const std::wstring& section, const std::wstring& name) {
        return fake.Value(RegRoot::CurrentUser, kApplicationKey + L"\\" + section, name);
    }
    void SetRecord(const std::wstring& section, const std::wstring& name, const std::wstring& text) {
        fake.SetValue(RegRoot::CurrentUser, kApplicationKey + L"\\" + section, name, text);
    }
    // The alpha a window shows: 255 when it is not layered.
    int AlphaOf(Hwnd window) {
        const auto& w = fake.Window(window);
        if ((w.exStyle & kExStyleLayered) == 0) return 255;
        return w.attributes ? w.attributes->alpha : -1;
    }

    fake::FakePlatform fake;
    SettingsStore store{fake};
    Settings settings{false, false, 1, 6};
    Glass glass{fake, store};
    WindowInfo windows{fake};
    Hwnd editor = 0;
    int popupCloses = 0;
};

}  // namespace lumvale::testing
