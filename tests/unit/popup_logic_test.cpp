#include "popup/popup_logic.h"

#include <gtest/gtest.h>

#include "test_helpers.h"

namespace lumvale {
namespace {

using testing::CountingCloser;
using testing::kTempPath;
using testing::kWinsPath;

class PopupLogicTest : public testing::EditorInFront {
protected:
    PopupLogicTest() : EditorInFront(L"EditorMainWindowClass") { glass.SetPopupCloser(&closer); }
    std::wstring Key() const { return std::to_wstring(editor); }
    std::optional<std::wstring> Temp(const std::wstring& key) { return fake.Value(RegRoot::CurrentUser, kTempPath, key); }
    std::optional<std::wstring> Wins() {
        return fake.Value(RegRoot::CurrentUser, kWinsPath, L"editor.exeEditorMainWindowClass");
    }

    PopupLogic popup{fake, store, settings, glass, windows};
    CountingCloser closer;
};

TEST_F(PopupLogicTest, AFirstPopupShowsTheTargetWithNothingChosen) {
    const auto content = popup.ShowMe();
    ASSERT_TRUE(content);
    EXPECT_EQ(content->target, editor);
    EXPECT_EQ(content->targetKey, Key());
    EXPECT_EQ(content->exeCaption, L"editor.exe");
    EXPECT_EQ(content->classCaption, L"EditorMainWindo...");
    EXPECT_EQ(content->classTooltip, L"notes.txt");
    EXPECT_EQ(content->listIndex, kNoListSelection);
    EXPECT_FALSE(content->topTicked);
    EXPECT_FALSE(content->alwaysTicked);
    EXPECT_TRUE(content->alwaysEnabled);
    // Showing reads; it neither writes nor changes the target.
    EXPECT_EQ(fake.registryWrites, 0);
    EXPECT_EQ(fake.CountCalls("SetWindowLong"), 0);
}

TEST_F(PopupLogicTest, ClassCaptionsAreCutAtFifteenAndAlwaysEndInDots) {
    EXPECT_EQ(ClassCaption(L"Notepad"), L"Notepad...");
    EXPECT_EQ(ClassCaption(L"ExactlyFifteen!"), L"ExactlyFifteen!...");
    EXPECT_EQ(ClassCaption(L"ABCDEFGHIJKLMNOPQRST"), L"ABCDEFGHIJKLMNO...");
    EXPECT_EQ(ClassCaption(L""), L"...");
}

TEST_F(PopupLogicTest, ARememberedProgramOrRememberingOnTicksAndLocksTheBox) {
    fake.SetValue(RegRoot::CurrentUser, kWinsPath, L"editor.exeEditorMainWindowClass", L"4");
    auto content = popup.ShowMe();
    EXPECT_TRUE(content->alwaysTicked);
    EXPECT_FALSE(content->alwaysEnabled);

    fake.SetValue(RegRoot::CurrentUser, kWinsPath, L"editor.exeEditorMainWindowClass", L"");
    content = popup.ShowMe();
    EXPECT_FALSE(content->alwaysTicked);
    settings.RememberOn = true;
    content = popup.ShowMe();
    EXPECT_TRUE(content->alwaysTicked);
    EXPECT_FALSE(content->alwaysEnabled);
}

TEST_F(PopupLogicTest, RunRecordsSelectTheEntryAndTheStayOnTopBox) {
    const std::pair<const wchar_t*, std::int16_t> cases[] = {
        {L"4", 4}, {L"-1", kNoListSelection}, {L"garbage", 0}, {L" 8 ", 8}, {L"9", kNoListSelection}, {L"300", kNoListSelection}};
    fake.SetValue(RegRoot::CurrentUser, kTempPath, Key() + L"a", L"1");
    for (const auto& [stored, index] : cases) {
        fake.SetValue(RegRoot::CurrentUser, kTempPath, Key(), stored);
        const auto content = popup.ShowMe();
        EXPECT_EQ(content->listIndex, index) << std::wstring(stored).size();
        EXPECT_TRUE(content->topTicked);
    }
    // Without a run record the stay-on-top record is not looked at.
    for (const wchar_t* stored : {L"-2", L"-7", L"99999"}) {
        fake.SetValue(RegRoot::CurrentUser, kTempPath, Key(), stored);
        const auto content = popup.ShowMe();
        EXPECT_EQ(content->listIndex, kNoListSelection);
        EXPECT_FALSE(content->topTicked);
    }
}

TEST_F(PopupLogicTest, WithoutAForegroundWindowNothingIsShownOrRead) {
    fake.foreground = 0;
    fake.calls.clear();
    EXPECT_FALSE(popup.ShowMe());
    EXPECT_EQ(fake.CountCalls("RegOpenKey"), 0);
}

TEST_F(PopupLogicTest, AListChoiceSavesAppliesAndCloses) {
    popup.ShowMe();
    popup.ListChoice({0, false, false});
    EXPECT_EQ(fake.Window(editor).alpha, 120);
    EXPECT_EQ(Temp(Key()), L"0");
    EXPECT_EQ(Wins(), std::nullopt);
    EXPECT_EQ(closer.closes, 1);
    // The next popup on the same window selects the same entry.
    EXPECT_EQ(popup.ShowMe()->listIndex, 0);

    popup.ListChoice({4, false, true});
    EXPECT_EQ(fake.Window(editor).alpha, 180);
    EXPECT_EQ(Wins(), L"4");
    EXPECT_EQ(Temp(Key()), L"4");
}

TEST_F(PopupLogicTest, TickingBoxesWithoutAChoiceStoresNoGlass) {
    popup.ShowMe();
    popup.AlwaysClicked({kNoListSelection, false, true});
    EXPECT_EQ(Wins(), L"-1");
    EXPECT_EQ(Temp(Key()), L"-1");

    popup.TopClicked({kNoListSelection, true, false});
    EXPECT_TRUE(fake.Window(editor).topmost);
    EXPECT_EQ(Temp(Key() + L"a"), L"1");
    EXPECT_EQ(Wins(), std::nullopt);  // unticked "保存" forgets the program
    const auto again = popup.ShowMe();
    EXPECT_EQ(again->listIndex, kNoListSelection);
    EXPECT_TRUE(again->topTicked);

    popup.TopClicked({kNoListSelection, false, false});
    EXPECT_FALSE(fake.Window(editor).topmost);
    EXPECT_EQ(Temp(Key() + L"a"), std::nullopt);
    EXPECT_EQ(fake.ValueCount(RegRoot::CurrentUser, kTempPath), 1u);
}

TEST_F(PopupLogicTest, NoGlassMakesTheTargetOpaqueAndStoresMinusOne) {
    fake.SetValue(RegRoot::CurrentUser, testing::kSettingsPath, store_names::kBeep, L"1");
    popup.ShowMe();
    popup.ListChoice({2, false, true});
    popup.NoGlass({2, false, true});
    EXPECT_FALSE(fake.Window(editor).alpha);
    EXPECT_EQ(fake.Window(editor).exStyle & kExStyleLayered, 0);
    EXPECT_EQ(Temp(Key()), L"-1");
    EXPECT_EQ(Wins(), L"-1");
    EXPECT_EQ(fake.beeps.size(), 6u);
}

TEST_F(PopupLogicTest, ADialogIsNamedByItsOwnerButChangedItself) {
    const Hwnd dialog = fake.AddWindow({L"#32770", L"Save as", editor, 100, 101});
    fake.foreground = dialog;
    const auto content = popup.ShowMe();
    EXPECT_EQ(content->classCaption, L"EditorMainWindo...");
    EXPECT_EQ(content->classTooltip, L"notes.txt");
    popup.TopClicked({kNoListSelection, true, true});
    popup.ListChoice({1, true, true});
    EXPECT_TRUE(fake.Window(dialog).topmost);
    EXPECT_EQ(fake.Window(dialog).alpha, 135);
    EXPECT_FALSE(fake.Window(editor).alpha);
    EXPECT_EQ(Wins(), L"1");
}

TEST_F(PopupLogicTest, APopupSitsLeftOfAndBelowThePointer) {
    const Point at = PopupPosition({500, 300}, 116);
    EXPECT_EQ(at.x, 500 - 116 - 8);
    EXPECT_EQ(at.y, 308);
    const Point edge = PopupPosition({3, 760}, 116);
    EXPECT_EQ(edge.x, -121);  // off the screen: no adjustment
    EXPECT_EQ(edge.y, 768);
}

}  // namespace
}  // namespace lumvale
