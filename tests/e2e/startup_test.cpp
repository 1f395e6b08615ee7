// Start-up and lifetime of the real program.
#include <gtest/gtest.h>

#include "driver.h"

namespace e2e {
namespace {

const wchar_t kAppDefaults[] = L"Software\\Wine\\AppDefaults\\lumvale.exe";

class Startup : public ::testing::Test {
protected:
    void SetUp() override {
        ReleaseEverything();
        ResetStore();
        MarkSettingsSaved();
        taskbar_ = ::FindWindowW(L"Shell_TrayWnd", nullptr);
    }
    void TearDown() override {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kAppDefaults);
        // Leave the taskbar opaque for the tests that follow.
        ::SetWindowLongW(taskbar_, GWL_EXSTYLE, ::GetWindowLongW(taskbar_, GWL_EXSTYLE) & ~WS_EX_LAYERED);
        ResetStore();
    }
    HWND taskbar_ = nullptr;
};

TEST_F(Startup, RefusesSystemsOlderThanWindows2000WithItsOnlyMessage) {
    ResetStore();
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kAppDefaults, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                nullptr), ERROR_SUCCESS);
    const wchar_t version[] = L"nt40";
    ::RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version), sizeof(version));
    ::RegCloseKey(key);

    Process lumvale(L"\"" + LumvaleExePath() + L"\"");
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = FindWindowOf(lumvale.id(), L"#32770", true)) != nullptr; }, 15000));
    EXPECT_EQ(TextOf(box), L"Lumvale");
    HWND text = ::GetDlgItem(box, 0xFFFF);
    EXPECT_EQ(TextOf(text), std::wstring(L"抱歉，Lumvale无法在低于win 2k以下的系统运行！") + std::wstring(13, L' '));
    Pause(300);
    Screenshot(L"startup-refused");

    // Nothing else happened: no main window, no icon, no registry access.
    EXPECT_EQ(FindWindowOf(lumvale.id(), L"LumvaleMain"), nullptr);
    EXPECT_FALSE(ProgramKeyExists());

    ::SetForegroundWindow(box);
    WaitUntil([&] { return ::GetForegroundWindow() == box; }, 2000);
    PressChord({VK_RETURN});
    EXPECT_TRUE(lumvale.WaitForExit(5000));
    EXPECT_FALSE(ProgramKeyExists());
}

TEST_F(Startup, StaysResidentHiddenAppliesTheTaskbarAlphaAndEmptiesTheRunRecords) {
    WriteValue(kSettingsSection, L"TBar", L"150");
    WriteValue(L"Temp", L"12345", L"3");
    Lumvale lumvale;
    ASSERT_NE(lumvale.mainWindow(), nullptr);
    EXPECT_EQ(TextOf(lumvale.mainWindow()), L"Lumvale");
    EXPECT_FALSE(::IsWindowVisible(lumvale.mainWindow()));
    EXPECT_TRUE(WaitUntil([&] { return AlphaOf(taskbar_) == 150; }));
    EXPECT_TRUE(WaitUntil([&] { return !SectionExists(L"Temp"); }));

    // After exit the taskbar keeps its alpha and the run records are gone.
    WriteValue(L"Temp", L"12345", L"3");
    EXPECT_TRUE(lumvale.Close());
    EXPECT_EQ(AlphaOf(taskbar_), 150);
    EXPECT_FALSE(SectionExists(L"Temp"));
}

TEST_F(Startup, StoredTaskbarAlphasAreClampedAndAnOpaqueOneRemovesTheLayering) {
    const std::pair<const wchar_t*, int> cases[] = {{L"50", 105}, {L"abc", 105}, {L"300", -1}};
    for (const auto& [stored, alpha] : cases) {
        ::SetWindowLongW(taskbar_, GWL_EXSTYLE, ::GetWindowLongW(taskbar_, GWL_EXSTYLE) | WS_EX_LAYERED);
        ::SetLayeredWindowAttributes(taskbar_, 0, 200, LWA_ALPHA);
        WriteValue(kSettingsSection, L"TBar", stored);
        Lumvale lumvale;
        EXPECT_TRUE(WaitUntil([&] { return AlphaOf(taskbar_) == alpha; })) << alpha;
        EXPECT_TRUE(lumvale.Close());
    }
}

TEST_F(Startup, AFreshStartReadsTheDefaultsAndWritesNothing) {
    ResetStore();
    Lumvale lumvale;
    ASSERT_NE(lumvale.mainWindow(), nullptr);
    Pause(1000);
    EXPECT_FALSE(ProgramKeyExists());
    EXPECT_EQ(AlphaOf(taskbar_), -1);
    lumvale.process().Terminate();
}

}  // namespace
}  // namespace e2e
