// Re-entrancy and faults: the program keeps working whatever the user, the
// other programs and the registry do to it.
#include <gtest/gtest.h>

#include "scenario.h"

namespace e2e {
namespace {

class Faults : public Scenario {
protected:
    static HWND OpenPopup(Lumvale& lumvale, POINT at) {
        Click(at.x, at.y, true);
        HWND popup = nullptr;
        WaitUntil([&] { return (popup = FindWindowOf(lumvale.process().id(), L"LumvalePopup", true)) != nullptr; });
        PumpMessages(300);
        return popup;
    }
    static POINT Inside(HWND window) {
        const RECT rect = WindowRectOf(window);
        return {rect.left + 200, rect.top + 150};
    }
};

TEST_F(Faults, AHotKeyHeldWhileThePopupIsOpenRepeatsWithoutHarm) {
    WriteValue(kSettingsSection, L"Beep", L"1");
    Lumvale lumvale;
    TargetWindow target;
    HWND popup = OpenPopup(lumvale, Inside(target.get()));
    ASSERT_NE(popup, nullptr);
    ReleaseEverything();
    PumpMessages(200);
    // Held for many ticks: every tick beeps, and the first closes the popup.
    PressChord({VK_CONTROL, VK_SHIFT, '7'}, 1500);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(popup) || !::IsWindowVisible(popup); }));
    EXPECT_TRUE(lumvale.process().Running());
    // Still at work: the next hot-key acts on the window in front.
    target.BringToFront();
    PressChord({VK_CONTROL, VK_SHIFT, '4'});
    EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(target.get()) == 165; }));
}

TEST_F(Faults, TheBeepAndUnlayeringDispatchMessagesWhileKeysAreHeld) {
    // Both dispatch pending messages, so ticks and other handlers arrive in
    // the middle of them.
    WriteValue(kSettingsSection, L"Beep", L"1");
    Lumvale lumvale;
    TargetWindow target;
    for (int round = 0; round < 5; ++round) {
        PressChord({VK_CONTROL, VK_SHIFT, '2'}, 300);
        EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(target.get()) == 135; }));
        PressChord({VK_CONTROL, VK_SHIFT, '0'}, 300);
        EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(target.get()) == -1; }));
    }
    EXPECT_TRUE(lumvale.process().Running());
}

TEST_F(Faults, ATargetDestroyedBeforeTheChoiceChangesNothingElse) {
    Lumvale lumvale;
    auto target = std::make_unique<TargetWindow>();
    TargetWindow bystander(L"bystander");
    target->BringToFront();
    HWND popup = OpenPopup(lumvale, Inside(target->get()));
    ASSERT_NE(popup, nullptr);
    target.reset();  // gone while the popup is open
    const HWND list = FindDescendant(popup, L"ListBox");
    const int height = static_cast<int>(::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    POINT item{20, 4 * height + height / 2};
    ::ClientToScreen(list, &item);
    Click(item.x, item.y);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(popup) || !::IsWindowVisible(popup); }));
    EXPECT_TRUE(lumvale.process().Running());
    EXPECT_EQ(LayeredAlpha(bystander.get()), -1);
    // Nothing is remembered for a window that has no program any more.
    EXPECT_FALSE(SectionExists(L"Wins")) << DumpSection(L"Wins");
}

TEST_F(Faults, ANewTaskbarWhileThePopupIsOpenLeavesBothWorking) {
    Lumvale lumvale;
    TargetWindow target;
    HWND popup = OpenPopup(lumvale, Inside(target.get()));
    ASSERT_NE(popup, nullptr);
    ::SendMessageTimeoutW(HWND_BROADCAST, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0, SMTO_ABORTIFHUNG, 2000,
                          nullptr);
    const HWND list = FindDescendant(popup, L"ListBox");
    const int height = static_cast<int>(::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    POINT item{20, 8 * height + height / 2};
    ::ClientToScreen(list, &item);
    Click(item.x, item.y);
    EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(target.get()) == 240; }));
    EXPECT_TRUE(WaitUntil([] { return FindLumvaleTrayIcon().has_value(); }));
}

TEST_F(Faults, BadOrVanishingStoredValuesAreReadSafely) {
    // Values of the wrong type, huge texts and garbage, then the whole store
    // removed while the program runs.
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Lumvale\\Wins", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                &key, nullptr), ERROR_SUCCESS);
    const DWORD number = 4;
    ::RegSetValueExW(key, L"e2e_tests.exeLumvaleE2ETarget", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                     sizeof(number));
    ::RegCloseKey(key);
    WriteValue(kSettingsSection, L"KS", std::wstring(100000, L'9'));
    WriteValue(kSettingsSection, L"RC", L"\x6c49\x5b57");
    WriteValue(kSettingsSection, L"TBar", L"-1e308");
    WriteValue(kSettingsSection, L"Beep", L"0");
    Lumvale lumvale;
    TargetWindow target;
    PumpMessages(500);
    // A record of the wrong type is no record; the unreadable "KS" leaves
    // the hot-keys off.
    EXPECT_EQ(LayeredAlpha(target.get()), -1);
    PressChord({VK_CONTROL, VK_SHIFT, '3'});
    PumpMessages(300);
    EXPECT_EQ(LayeredAlpha(target.get()), -1);

    ResetStore();
    WriteValue(L"Wins", L"e2e_tests.exeLumvaleE2ETarget", L"  3junk");
    const TargetWindow second(L"second");
    EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(second.get()) == 165; }));
    ResetStore();
    PumpMessages(500);
    EXPECT_TRUE(lumvale.process().Running());
    EXPECT_TRUE(lumvale.Close());
}

}  // namespace
}  // namespace e2e
