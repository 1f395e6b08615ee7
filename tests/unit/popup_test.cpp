// Where the popup opens, what it shows from the records, and targets that
// refuse a change.
#include "popup/popup_logic.h"

#include "fake/fake_platform.h"

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
    // Edges and corners of one monitor are proved end to end; here the
    // pointer beyond the work area and monitors left of the primary one.
    const Case cases[] = {
        {{500, 300}, screen, {382, 308}},  // right edge 8 left of the pointer, top 8 below
        {{500, 760}, screen, {382, 499}},  // on the taskbar
        {{1030, 400}, screen, {912, 408}},  // right of the work area
        {{-600, 100}, leftMonitor, {-718, 108}},
        {{-1275, 800}, leftMonitor, {-1267, 553}},
        {{-5, -195}, leftMonitor, {-123, -187}},
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

using PopupLogicTest = testing::Desktop;

TEST_F(PopupLogicTest, ATargetThatDoesNotAnswerOrDrawsPerPixelKeepsItsStateAndNoRecord) {
    PopupLogic logic{fake, store, settings, glass, windows};
    // A hung target's list choice is proved end to end.
    fake.foreground = fake.AddWindow({L"Shaped", L"", 0, 100, 101, kExStyleLayered});
    ASSERT_TRUE(logic.ShowMe());
    logic.ListChoice({4, true, true});
    EXPECT_FALSE(fake.Window(fake.foreground).attributes.has_value());
    fake.Window(editor).hung = true;
    fake.foreground = editor;
    ASSERT_TRUE(logic.ShowMe());
    logic.TopClicked({-1, true, false});
    EXPECT_FALSE(fake.Window(editor).topmost);
    EXPECT_FALSE(fake.KeyExists(RegRoot::CurrentUser, testing::kTempPath));
    EXPECT_FALSE(fake.KeyExists(RegRoot::CurrentUser, testing::kWinsPath));
    EXPECT_EQ(popupCloses, 1) << "the choice still ends the popup";
}

}  // namespace
}  // namespace lumvale
