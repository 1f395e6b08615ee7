#include "settings/settings_editor.h"

#include <gtest/gtest.h>

#include "test_helpers.h"

namespace lumvale {
namespace {

using testing::StoreSetting;
using testing::StoredSetting;

const std::wstring kRun = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::wstring kCommand = L"C:\\程序\\Lumvale\\lumvale.exe";
constexpr std::int32_t kWidth = 197;

class SettingsEditorTest : public ::testing::Test {
protected:
    std::optional<std::wstring> RunValue() const { return fake.Value(RegRoot::LocalMachine, kRun, L"Lumvale"); }

    fake::FakePlatform fake;
    SettingsStore store{fake};
    Settings settings;
    Glass glass{fake, store};
    SettingsEditor editor{fake, store, settings, glass};
    Hwnd dialog = fake.AddWindow({L"LumvaleSettings", L"Lumvale"});
    Hwnd taskbar = fake.AddWindow({L"Shell_TrayWnd", L""});
};

TEST_F(SettingsEditorTest, FirstOpeningShowsTheDefaultsAndMakesTheDialogTopmostAndTranslucent) {
    LoadSettings(store, settings, glass);
    const SettingsChoices shown = editor.Load(dialog, kWidth);
    EXPECT_FALSE(shown.startWithWindows);
    EXPECT_FALSE(shown.remember);
    EXPECT_FALSE(shown.beep);
    EXPECT_EQ(shown.popupKeys, 1);
    EXPECT_EQ(shown.hotKeys, 6);
    EXPECT_EQ(editor.slider().SliderPos(), kWidth);
    EXPECT_TRUE(fake.Window(dialog).topmost);
    EXPECT_EQ(fake.Window(dialog).alpha, 240);
    EXPECT_EQ(fake.ValueCount(RegRoot::CurrentUser, testing::kSettingsPath), 0u) << "opening writes nothing";
    EXPECT_EQ(fake.openRegistryKeys(), 0);
}

TEST_F(SettingsEditorTest, ShowsTheSettingsInMemoryAndOnlyThePresenceOfTheRunValue) {
    // The memory, not the registry, decides the four settings.
    settings = Settings{true, true, 8, 7};
    StoreSetting(fake, L"RC", L"2");
    fake.SetValue(RegRoot::LocalMachine, kRun, L"Lumvale", L"D:\\somewhere\\else.exe");
    SettingsChoices shown = editor.Load(dialog, kWidth);
    EXPECT_TRUE(shown.startWithWindows);
    EXPECT_TRUE(shown.remember);
    EXPECT_TRUE(shown.beep);
    EXPECT_EQ(shown.popupKeys, 8);
    EXPECT_EQ(shown.hotKeys, 7);

    // An index outside its list selects nothing; an empty Run value counts
    // as none.
    const std::pair<std::int16_t, std::int16_t> outside[] = {{9, 8}, {-1, -1}, {-2, 100}, {32767, -32768}};
    fake.SetValue(RegRoot::LocalMachine, kRun, L"Lumvale", L"   ");
    for (const auto& [popupKeys, hotKeys] : outside) {
        settings.PopupKeys = popupKeys;
        settings.HotKeys = hotKeys;
        shown = editor.Load(dialog, kWidth);
        EXPECT_EQ(shown.popupKeys, -1) << popupKeys;
        EXPECT_EQ(shown.hotKeys, -1) << hotKeys;
        EXPECT_FALSE(shown.startWithWindows);
    }
    settings.PopupKeys = 0;
    settings.HotKeys = 0;
    shown = editor.Load(dialog, kWidth);
    EXPECT_EQ(shown.popupKeys, 0) << "关闭 is an item like any other";
    EXPECT_EQ(shown.hotKeys, 0);
}

TEST_F(SettingsEditorTest, SaveWritesEveryChoiceAndTheMemoryFollowsAtOnce) {
    LoadSettings(store, settings, glass);
    editor.Load(dialog, kWidth);
    editor.slider().Drag(60, kSliderLeft, kWidth);
    editor.Save({true, true, false, 4, 1}, kWidth, kCommand);

    EXPECT_EQ(RunValue(), kCommand);
    EXPECT_EQ(StoredSetting(fake, L"提示：     "), L"1");
    EXPECT_EQ(StoredSetting(fake, L"Beep"), L"0");
    EXPECT_EQ(StoredSetting(fake, L"RC"), L"4");
    EXPECT_EQ(StoredSetting(fake, L"KS"), L"1");
    EXPECT_EQ(StoredSetting(fake, L"TBar"), L"151");
    EXPECT_TRUE(settings.RememberOn);
    EXPECT_FALSE(settings.BeepOn);
    EXPECT_EQ(settings.PopupKeys, 4);
    EXPECT_EQ(settings.HotKeys, 1);
    EXPECT_EQ(fake.openRegistryKeys(), 0);

    // What was saved is what the next opening shows.
    const SettingsChoices again = editor.Load(dialog, kWidth);
    EXPECT_TRUE(again.startWithWindows);
    EXPECT_TRUE(again.remember);
    EXPECT_FALSE(again.beep);
    EXPECT_EQ(again.popupKeys, 4);
    EXPECT_EQ(again.hotKeys, 1);
    EXPECT_EQ(editor.slider().SliderPos(), 60);
}

TEST_F(SettingsEditorTest, SaveReplacesOrRemovesTheRunValueAndStoresNoSelectionAsMinusOne) {
    fake.SetValue(RegRoot::LocalMachine, kRun, L"Lumvale", L"D:\\old\\lumvale.exe");
    editor.Save({true, false, false, 1, 6}, kWidth, kCommand);
    EXPECT_EQ(RunValue(), kCommand) << "another path is replaced by this program's";

    editor.Save({false, false, true, -1, -1}, kWidth, kCommand);
    EXPECT_EQ(RunValue(), std::nullopt);
    EXPECT_EQ(StoredSetting(fake, L"RC"), L"-1");
    EXPECT_EQ(StoredSetting(fake, L"KS"), L"-1");
    EXPECT_EQ(StoredSetting(fake, L"Beep"), L"1");
    EXPECT_EQ(StoredSetting(fake, L"提示：     "), L"0");

    // A stored -1 reads back as -1 and again shows no selection.
    Settings reloaded;
    LoadSettings(store, reloaded, glass);
    EXPECT_EQ(reloaded.PopupKeys, -1);
    EXPECT_EQ(reloaded.HotKeys, -1);
}

}  // namespace
}  // namespace lumvale
