// The transparency popup, opened with real right clicks.
#include <gtest/gtest.h>

#include "scenario.h"

namespace e2e {
namespace {

const std::wstring kNoGlassCaption = L"取消所有设定   ";
const std::wstring kTopCaption = L"最上  ";

class Popup : public Scenario {
protected:

    // Right-clicks at `at` and waits for the popup.
    HWND OpenAt(Lumvale& lumvale, POINT at) {
        Click(at.x, at.y, true);
        HWND popup = nullptr;
        WaitUntil([&] { return (popup = FindWindowOf(lumvale.process().id(), L"LumvalePopup", true)) != nullptr; });
        // Lets the activation reach the X server before the next click.
        PumpMessages(300);
        return popup;
    }
    static bool Gone(HWND popup) { return !::IsWindow(popup) || !::IsWindowVisible(popup); }
    static HWND List(HWND popup) { return FindDescendant(popup, L"ListBox"); }
    static HWND Box(HWND popup, const std::wstring& caption) { return FindDescendant(popup, L"Button", caption.c_str()); }
    static bool Checked(HWND box) { return ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    static POINT ItemCenter(HWND list, int index) {
        const int height = static_cast<int>(::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
        RECT client{};
        ::GetClientRect(list, &client);
        POINT point{client.right / 2, index * height + height / 2};
        ::ClientToScreen(list, &point);
        return point;
    }
    // A point just inside the target's left edge: the popup opens left of
    // it and overlaps nothing of the target, which may be topmost itself.
    static POINT Inside(HWND window) {
        RECT client{};
        ::GetClientRect(window, &client);
        POINT point{2, client.bottom / 2};
        ::ClientToScreen(window, &point);
        return point;
    }
};

TEST_F(Popup, OpensBesideThePointerAndNamesNotepad) {
    Lumvale lumvale;
    Notepad notepad;
    ::SetWindowPos(notepad.window(), nullptr, 300, 60, 600, 420, SWP_NOZORDER);
    notepad.BringToFront();
    // The status bar of notepad: a right click there opens no menu of its own.
    const RECT frame = WindowRectOf(notepad.window());
    const POINT at{frame.left + 150, frame.bottom - 10};
    HWND popup = OpenAt(lumvale, at);
    ASSERT_NE(popup, nullptr);
    POINT cursor{};
    ::GetCursorPos(&cursor);
    const RECT box = WindowRectOf(popup);
    EXPECT_EQ(box.right, cursor.x - 8);
    EXPECT_EQ(box.top, cursor.y + 8);
    EXPECT_EQ(LayeredAlpha(popup), 240);
    EXPECT_TRUE(IsTopmost(popup));
    EXPECT_EQ(::GetForegroundWindow(), popup);

    EXPECT_NE(FindDescendant(popup, L"Static", L"notepad.exe"), nullptr);
    EXPECT_NE(FindDescendant(popup, L"Static", L"Notepad..."), nullptr);
    EXPECT_EQ(::SendMessageW(List(popup), LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(::SendMessageW(List(popup), LB_GETCOUNT, 0, 0), 9);
    EXPECT_FALSE(Checked(Box(popup, kTopCaption)));
    EXPECT_FALSE(Checked(Box(popup, L"保存")));
    EXPECT_TRUE(::IsWindowEnabled(Box(popup, L"保存")));
    EXPECT_NE(Box(popup, kNoGlassCaption), nullptr);
    PumpMessages(300);
    Screenshot(L"popup-notepad");

    // After the trigger's release, the next complete click anywhere closes it.
    MoveMouse(700, 120);
    PumpMessages(100);
    MouseButton(false, true);
    PumpMessages(200);
    EXPECT_FALSE(Gone(popup)) << "closes at the release, not the press";
    MouseButton(false, false);
    EXPECT_TRUE(WaitUntil([&] { return Gone(popup); }));
}

TEST_F(Popup, AnOpacityChosenFromTheListIsAppliedStoredAndShownNextTime) {
    Lumvale lumvale;
    Notepad notepad;
    const RECT frame = WindowRectOf(notepad.window());
    const POINT at{frame.left + 150, frame.bottom - 10};
    HWND popup = OpenAt(lumvale, at);
    ASSERT_NE(popup, nullptr);
    const POINT fifty = ItemCenter(List(popup), 4);
    Click(fifty.x, fifty.y);
    EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(notepad.window()) == 180; }));
    const std::wstring key = std::to_wstring(reinterpret_cast<INT_PTR>(notepad.window()));
    EXPECT_EQ(ReadValue(L"Temp", key), L"4");
    EXPECT_TRUE(WaitUntil([&] { return Gone(popup); }));

    notepad.BringToFront();
    popup = OpenAt(lumvale, at);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(::SendMessageW(List(popup), LB_GETCURSEL, 0, 0), 4);
    Screenshot(L"popup-fifty-selected");
}

TEST_F(Popup, AnArrowKeyInTheListIsAChoiceLikeAClick) {
    Lumvale lumvale;
    TargetWindow target;
    HWND popup = OpenAt(lumvale, Inside(target.get()));
    ASSERT_NE(popup, nullptr);
    ReleaseEverything();
    // The list has the focus: Down selects the first entry, "10%".
    PressChord({VK_DOWN}, 60);
    EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(target.get()) == 120; }));
    EXPECT_TRUE(WaitUntil([&] { return Gone(popup); }));
    EXPECT_EQ(ReadValue(L"Temp", std::to_wstring(reinterpret_cast<INT_PTR>(target.get()))), L"0");
}

TEST_F(Popup, StayOnTopIsTickedAndUntickedForTheTarget) {
    Lumvale lumvale;
    TargetWindow target;
    const std::wstring key = std::to_wstring(reinterpret_cast<INT_PTR>(target.get()));
    HWND popup = OpenAt(lumvale, Inside(target.get()));
    ASSERT_NE(popup, nullptr);
    const POINT top = CenterOf(Box(popup, kTopCaption));
    Click(top.x, top.y);
    EXPECT_TRUE(WaitUntil([&] { return IsTopmost(target.get()); }));
    EXPECT_EQ(ReadValue(L"Temp", key + L"a"), L"1");
    EXPECT_EQ(ReadValue(L"Temp", key), L"-1");
    // The click on the box was the complete click that closes the popup.
    EXPECT_TRUE(WaitUntil([&] { return Gone(popup); }));

    target.BringToFront();
    popup = OpenAt(lumvale, Inside(target.get()));
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(Checked(Box(popup, kTopCaption)));
    EXPECT_EQ(::SendMessageW(List(popup), LB_GETCURSEL, 0, 0), LB_ERR);
    const POINT again = CenterOf(Box(popup, kTopCaption));
    Click(again.x, again.y);
    EXPECT_TRUE(WaitUntil([&] { return !IsTopmost(target.get()); }));
    EXPECT_TRUE(WaitUntil([&] { return !ReadValue(L"Temp", key + L"a").has_value(); }));
}

TEST_F(Popup, RememberingTicksAndLocksTheBoxAndKeepsTheRecord) {
    Lumvale lumvale;
    TargetWindow target;
    const std::wstring identity = L"e2e_tests.exeLumvaleE2ETarget";
    HWND popup = OpenAt(lumvale, Inside(target.get()));
    ASSERT_NE(popup, nullptr);
    const POINT always = CenterOf(Box(popup, L"保存"));
    Click(always.x, always.y);
    EXPECT_TRUE(WaitUntil([&] { return ReadValue(L"Wins", identity) == L"-1"; })) << DumpSection(L"Wins");
    EXPECT_TRUE(WaitUntil([&] { return Gone(popup); }));

    // With a record, the box shows ticked and cannot be unticked.
    target.BringToFront();
    popup = OpenAt(lumvale, Inside(target.get()));
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(Checked(Box(popup, L"保存")));
    EXPECT_FALSE(::IsWindowEnabled(Box(popup, L"保存")));
    const POINT thirty = ItemCenter(List(popup), 2);
    Click(thirty.x, thirty.y);
    EXPECT_TRUE(WaitUntil([&] { return ReadValue(L"Wins", identity) == L"2"; }));
    EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(target.get()) == 150; }));
}

TEST_F(Popup, TheOpaqueButtonClearsTheGlassAndStoresNoGlass) {
    Lumvale lumvale;
    TargetWindow target;
    PressChord({VK_CONTROL, VK_SHIFT, '3'});
    ASSERT_TRUE(WaitUntil([&] { return LayeredAlpha(target.get()) == 150; }));
    HWND popup = OpenAt(lumvale, Inside(target.get()));
    ASSERT_NE(popup, nullptr);
    const POINT button = CenterOf(Box(popup, kNoGlassCaption));
    Click(button.x, button.y);
    EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(target.get()) == -1; }));
    EXPECT_EQ(ReadValue(L"Temp", std::to_wstring(reinterpret_cast<INT_PTR>(target.get()))), L"-1");
    EXPECT_TRUE(WaitUntil([&] { return Gone(popup); }));
}

TEST_F(Popup, AHotKeyWhileThePopupIsOpenActsOnThePopupAndClosesIt) {
    WriteValue(kSettingsSection, kRememberKey, L"1");
    Lumvale lumvale;
    TargetWindow target;
    HWND popup = OpenAt(lumvale, Inside(target.get()));
    ASSERT_NE(popup, nullptr);
    ReleaseEverything();
    PumpMessages(300);
    PressChord({VK_CONTROL, VK_SHIFT, '5'});
    EXPECT_TRUE(WaitUntil([&] { return Gone(popup); }));
    // The popup was the window in front: the target kept its opacity, and
    // nothing was remembered for it (nor under the closed popup's empty name).
    PumpMessages(300);
    EXPECT_EQ(LayeredAlpha(target.get()), -1);
    EXPECT_FALSE(SectionExists(L"Wins")) << DumpSection(L"Wins");
}

TEST_F(Popup, TheTriggerNeedsItsModifiers) {
    WriteValue(kSettingsSection, L"RC", L"3");  // Ctrl + right button
    Lumvale lumvale;
    TargetWindow target;
    const POINT at = Inside(target.get());
    Click(at.x, at.y, true);
    PumpMessages(400);
    EXPECT_EQ(FindWindowOf(lumvale.process().id(), L"LumvalePopup", true), nullptr);
    KeyDown(VK_CONTROL);
    PumpMessages(100);
    MouseButton(true, true);
    PumpMessages(120);
    MouseButton(true, false);
    KeyUp(VK_CONTROL);
    EXPECT_TRUE(WaitUntil([&] { return FindWindowOf(lumvale.process().id(), L"LumvalePopup", true) != nullptr; }));
}

}  // namespace
}  // namespace e2e
