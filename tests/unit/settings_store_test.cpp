#include "store/settings.h"

#include <gtest/gtest.h>

#include "glass/glass.h"
#include "test_helpers.h"

namespace lumvale {
namespace {

using testing::StoredSetting;
using testing::StoreSetting;

class SettingsStoreTest : public ::testing::Test {
protected:
    fake::FakePlatform fake;
    SettingsStore store{fake};
    Glass glass{fake, store};
    Settings settings;
};

TEST_F(SettingsStoreTest, ReadsWritesAndDeletesWithTheExactUnicodeNames) {
    EXPECT_EQ(store.ReadSetting(store_names::kSettings, store_names::kRemember, L"100"), L"100");
    store.WriteSetting(store_names::kSettings, store_names::kRemember, L"1");
    EXPECT_EQ(fake.Value(RegRoot::CurrentUser, L"Software\\Lumvale\\软件设置    ", L"提示：     "), L"1");
    EXPECT_EQ(store.ReadSetting(store_names::kSettings, store_names::kRemember, L"100"), L"1");
    // The trailing blanks are part of the names.
    EXPECT_EQ(store.ReadSetting(store_names::kSettings, L"提示：", L"x"), L"x");

    store.WriteSetting(L"Temp", L"1234", L"4");
    store.WriteSetting(L"Temp", L"1234a", L"1");
    store.DeleteValue(L"Temp", L"1234a");
    EXPECT_EQ(fake.Value(RegRoot::CurrentUser, testing::kTempPath, L"1234a"), std::nullopt);
    EXPECT_EQ(fake.Value(RegRoot::CurrentUser, testing::kTempPath, L"1234"), L"4");
    store.DeleteSection(L"Temp");
    EXPECT_FALSE(fake.KeyExists(RegRoot::CurrentUser, testing::kTempPath));
    // Deleting what is not there is ignored.
    store.DeleteSection(L"Temp");
    store.DeleteValue(L"Temp", L"1234");
    EXPECT_EQ(fake.openRegistryKeys(), 0);
}

TEST_F(SettingsStoreTest, NonTextValuesAndHugeTextsReadSafely) {
    fake.SetValue(RegRoot::CurrentUser, testing::kSettingsPath, L"KS", L"3", /*textType=*/false);
    EXPECT_EQ(store.ReadSetting(store_names::kSettings, L"KS", L"6"), L"6");
    const std::wstring huge(100000, L'7');
    StoreSetting(fake, L"RC", huge);
    EXPECT_EQ(store.ReadSetting(store_names::kSettings, L"RC", L"1"), huge);
}

TEST_F(SettingsStoreTest, LoadOnAFreshRegistryGivesTheDefaultsAndWritesNothing) {
    LoadSettings(store, settings, glass);
    EXPECT_FALSE(settings.RememberOn);
    EXPECT_FALSE(settings.BeepOn);
    EXPECT_EQ(settings.PopupKeys, 1);
    EXPECT_EQ(settings.HotKeys, 6);
    EXPECT_EQ(fake.registryWrites, 0);
    EXPECT_FALSE(fake.KeyExists(RegRoot::CurrentUser, kApplicationKey));
}

TEST_F(SettingsStoreTest, LoadConvertsStoredTextsAndSkipsWhatDoesNotConvert) {
    StoreSetting(fake, store_names::kRemember, L"2");
    StoreSetting(fake, store_names::kBeep, L"1");
    StoreSetting(fake, store_names::kPopupKeys, L"3.5");
    StoreSetting(fake, store_names::kHotKeys, L"garbage");
    settings.RememberOn = true;
    settings.HotKeys = 7;
    LoadSettings(store, settings, glass);
    EXPECT_FALSE(settings.RememberOn);  // "2" is off
    EXPECT_TRUE(settings.BeepOn);
    EXPECT_EQ(settings.PopupKeys, 4);  // halves to even
    EXPECT_EQ(settings.HotKeys, 7);    // kept: not a number

    StoreSetting(fake, store_names::kHotKeys, L"70000");
    LoadSettings(store, settings, glass);
    EXPECT_EQ(settings.HotKeys, 7);  // kept: out of range
}

TEST_F(SettingsStoreTest, LoadEmptiesTheRunRecords) {
    fake.SetValue(RegRoot::CurrentUser, testing::kTempPath, L"42", L"3");
    LoadSettings(store, settings, glass);
    EXPECT_FALSE(fake.KeyExists(RegRoot::CurrentUser, testing::kTempPath));
}

TEST_F(SettingsStoreTest, SaveWritesWhatLoadReads) {
    const Settings chosen{true, false, 8, 0};
    SaveSettings(store, chosen);
    EXPECT_EQ(StoredSetting(fake, store_names::kRemember), L"1");
    EXPECT_EQ(StoredSetting(fake, store_names::kBeep), L"0");
    EXPECT_EQ(StoredSetting(fake, store_names::kPopupKeys), L"8");
    EXPECT_EQ(StoredSetting(fake, store_names::kHotKeys), L"0");

    for (const Settings& original : {Settings{false, true, -1, 3}, Settings{true, true, 0, 7}}) {
        SaveSettings(store, original);
        Settings loaded{!original.RememberOn, !original.BeepOn, 99, 99};
        LoadSettings(store, loaded, glass);
        EXPECT_EQ(loaded.RememberOn, original.RememberOn);
        EXPECT_EQ(loaded.BeepOn, original.BeepOn);
        EXPECT_EQ(loaded.PopupKeys, original.PopupKeys);
        EXPECT_EQ(loaded.HotKeys, original.HotKeys);
    }
}

}  // namespace
}  // namespace lumvale
