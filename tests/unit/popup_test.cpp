// Where the popup opens, what it shows from the records, and targets that
// refuse a change.
#include "popup/popup_logic.h"

#include "desktop.h"

namespace lumvale {
namespace {

TEST(PopupPosition, BesideThePointerWhereItFitsElseFlippedOntoTheWorkArea) {
    const Size popup{110, 239};
    const Rect screen{0, 0, 1024, 738};       // the taskbar below
    const Rect leftMonitor{-1280, -200, 0, 824};
    struct Case {
        Point cursor;
        Rect work;
        Point expected;
    };
    const Case cases[] = {
        {{500, 300}, screen, {382, 308}},  // right edge 8 left of the pointer, top 8 below
        {{5, 300}, screen, {13, 308}},
        {{500, 700}, screen, {382, 453}},
        {{3, 735}, screen, {11, 488}},
        {{0, 0}, screen, {8, 8}},
        {{1023, 0}, screen, {905, 8}},
        {{1023, 400}, screen, {905, 408}},
        {{1023, 737}, screen, {905, 490}},
        {{500, 760}, screen, {382, 499}},  // on the taskbar
        {{-600, 100}, leftMonitor, {-718, 108}},
        {{-1275, 800}, leftMonitor, {-1267, 553}},
    };
    for (const Case& c : cases) {
        const Point at = PopupPosition(c.cursor, popup, c.work, 8);
        EXPECT_EQ(at.x, c.expected.x) << c.cursor.x << "," << c.cursor.y;
        EXPECT_EQ(at.y, c.expected.y) << c.cursor.x << "," << c.cursor.y;
        EXPECT_TRUE(at.x >= c.work.left && at.y >= c.work.top && at.x + popup.width <= c.work.right &&
                    at.y + popup.height <= c.work.bottom);
        const bool covers = c.cursor.x >= at.x && c.cursor.x < at.x + popup.width && c.cursor.y >= at.y &&
                            c.cursor.y < at.y + popup.height;
        EXPECT_FALSE(covers) << c.cursor.x << "," << c.cursor.y;
    }
}

class PopupLogicTest : public testing::Desktop {
protected:
    PopupLogic logic{fake, store, settings, glass, windows};
};

TEST_F(PopupLogicTest, WhatItShowsComesFromTheRunAndRememberedRecords) {
    struct Case {
        std::optional<std::wstring> run, top, remembered;
        bool rememberOn;
        std::int16_t list;
        bool topTicked, alwaysTicked;
    };
    const Case cases[] = {
        {{}, {}, {}, false, -1, false, false},
        {L"4", {}, {}, false, 4, false, false},
        {L"-1", L"1", {}, false, -1, true, false},
        {{}, L"1", {}, false, -1, false, false},  // no run record: the top box stays unticked
        {L"x", {}, L"2", false, 0, false, true},   // not a number: "10%"
        {L"9", {}, {}, true, -1, false, true},     // beyond the list: nothing
    };
    for (const Case& c : cases) {
        fake.RegDeleteKey(RegRoot::CurrentUser, testing::kTempPath);
        fake.RegDeleteKey(RegRoot::CurrentUser, testing::kWinsPath);
        const std::wstring key = std::to_wstring(editor);
        if (c.run) SetRecord(L"Temp", key, *c.run);
        if (c.top) SetRecord(L"Temp", key + L"a", *c.top);
        if (c.remembered) SetRecord(L"Wins", L"editor.exeEditorMain", *c.remembered);
        settings.RememberOn = c.rememberOn;
        const auto content = logic.ShowMe();
        ASSERT_TRUE(content);
        EXPECT_EQ(content->listIndex, c.list) << &c - cases;
        EXPECT_EQ(content->topTicked, c.topTicked) << &c - cases;
        EXPECT_EQ(content->alwaysTicked, c.alwaysTicked) << &c - cases;
        EXPECT_EQ(content->alwaysEnabled, !c.alwaysTicked) << &c - cases;
        EXPECT_EQ(content->exeCaption, L"editor.exe");
        EXPECT_EQ(content->classCaption, L"EditorMain...");
    }
    fake.foreground = 0;
    EXPECT_FALSE(logic.ShowMe()) << "nothing in front: nothing to show";
}

TEST_F(PopupLogicTest, ATargetThatDoesNotAnswerOrDrawsPerPixelKeepsItsStateAndNoRecord) {
    const Hwnd perPixel = fake.AddWindow({L"Shaped", L"", 0, 100, 101, kExStyleLayered});
    fake.Window(editor).hung = true;
    for (const Hwnd target : {editor, perPixel}) {
        fake.foreground = target;
        ASSERT_TRUE(logic.ShowMe());
        logic.ListChoice({4, true, true});
        EXPECT_FALSE(fake.Window(target).attributes.has_value());
    }
    fake.foreground = editor;
    ASSERT_TRUE(logic.ShowMe());
    logic.TopClicked({-1, true, false});
    EXPECT_FALSE(fake.Window(editor).topmost);
    EXPECT_FALSE(fake.KeyExists(RegRoot::CurrentUser, testing::kTempPath));
    EXPECT_FALSE(fake.KeyExists(RegRoot::CurrentUser, testing::kWinsPath));
    EXPECT_EQ(popupCloses, 2) << "the choice still ends the popup";
}

}  // namespace
}  // namespace lumvale
