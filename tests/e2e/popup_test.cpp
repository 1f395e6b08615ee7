// The transparency popup, opened with real right clicks.
#include "driver.h"

namespace e2e {
namespace {

class Popup : public Scenario {
protected:
    // Right-clicks at `at` and waits for the popup.
    static HWND Open(const Lumvale& lumvale, POINT at) {
        Click(at, true);
        HWND popup = nullptr;
        WaitUntil([&] { return (popup = lumvale.Window(L"LumvalePopup")) != nullptr; });
        // Lets the activation reach the X server before the next click.
        Pump(300);
        return popup;
    }
    static bool Gone(HWND popup) {
        return WaitUntil([&] { return !::IsWindow(popup) || !::IsWindowVisible(popup); });
    }
    static HWND List(HWND popup) { return Child(popup, L"ListBox"); }
    static int Selected(HWND popup) { return static_cast<int>(::SendMessageW(List(popup), LB_GETCURSEL, 0, 0)); }
    static POINT Item(HWND popup, int index) {
        const int height = static_cast<int>(::SendMessageW(List(popup), LB_GETITEMHEIGHT, 0, 0));
        POINT point{20, index * height + height / 2};
        ::ClientToScreen(List(popup), &point);
        return point;
    }
    static HWND Box(HWND popup, const wchar_t* caption) { return Child(popup, L"Button", caption); }
    static bool Checked(HWND box) { return ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }
};

TEST_F(Popup, ChoicesAreAppliedRememberedAndShownTheNextTime) {
    Lumvale lumvale;
    Notepad notepad;
    ::SetWindowPos(notepad.window(), nullptr, 300, 60, 600, 420, SWP_NOZORDER);
    // Notepad's status bar opens no menu of its own.
    const POINT status{RectOf(notepad.window()).left + 150, RectOf(notepad.window()).bottom - 10};
    HWND popup = Open(lumvale, status);
    ASSERT_NE(popup, nullptr);
    const RECT box = RectOf(popup);
    EXPECT_EQ(std::make_pair(box.right, box.top), std::make_pair(status.x - 8, status.y + 8));
    EXPECT_EQ(Alpha(popup), 240);
    EXPECT_TRUE(Topmost(popup));
    EXPECT_EQ(::GetForegroundWindow(), popup);
    EXPECT_NE(Child(popup, L"Static", L"notepad.exe"), nullptr);
    EXPECT_NE(Child(popup, L"Static", L"Notepad..."), nullptr);
    EXPECT_EQ(Selected(popup), LB_ERR);
    Screenshot(L"popup");
    Click(Item(popup, 4));
    EXPECT_TRUE(WaitUntil([&] { return Alpha(notepad.window()) == 180; }));
    EXPECT_EQ(Read(Section(L"Temp"), HandleText(notepad.window())), L"4");
    EXPECT_TRUE(Gone(popup));
    Activate(notepad.window());
    popup = Open(lumvale, status);
    EXPECT_EQ(Selected(popup), 4) << "the last choice is shown";
    // Any complete click after the trigger closes it, at the release.
    MoveTo({900, 700});
    Mouse({900, 700}, MOUSEEVENTF_LEFTDOWN);
    Pump(200);
    EXPECT_TRUE(::IsWindowVisible(popup));
    Mouse({900, 700}, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(Gone(popup));
}

TEST_F(Popup, ItsBoxesKeepTheTargetOnTopAndRememberItsProgram) {
    Lumvale lumvale;
    Target target;
    const POINT inside{RectOf(target.get()).left + 8, RectOf(target.get()).top + 200};  // the popup opens clear of it
    const std::wstring run = HandleText(target.get()), identity = L"e2e_tests.exeLumvaleE2ETarget";
    HWND popup = Open(lumvale, inside);
    Click(Box(popup, L"最上  "));
    EXPECT_TRUE(WaitUntil([&] { return Topmost(target.get()); }));
    EXPECT_EQ(Read(Section(L"Temp"), run + L"a"), L"1");
    EXPECT_EQ(Read(Section(L"Temp"), run), L"-1");
    EXPECT_TRUE(Gone(popup)) << "the click on the box was the closing click";

    Activate(target.get());
    popup = Open(lumvale, inside);
    EXPECT_TRUE(Checked(Box(popup, L"最上  ")));
    Click(Box(popup, L"保存"));
    EXPECT_TRUE(WaitUntil([&] { return Read(Section(L"Wins"), identity) == L"-1"; }));
    Activate(target.get());
    popup = Open(lumvale, inside);
    EXPECT_TRUE(Checked(Box(popup, L"保存")));
    EXPECT_FALSE(::IsWindowEnabled(Box(popup, L"保存"))) << "a remembered program cannot be unticked";
    Click(Item(popup, 2));
    EXPECT_TRUE(WaitUntil([&] { return Alpha(target.get()) == 150 && Read(Section(L"Wins"), identity) == L"2"; }));

    Activate(target.get());
    popup = Open(lumvale, inside);
    Click(Box(popup, L"取消所有设定   "));
    EXPECT_TRUE(WaitUntil([&] { return Alpha(target.get()) == 255; }));
    EXPECT_EQ(Read(Section(L"Wins"), identity), L"-1");
    EXPECT_TRUE(Gone(popup));

    // A hot-key while it is open acts on the popup itself, which closes.
    Activate(target.get());
    popup = Open(lumvale, inside);
    ReleaseEverything();
    Chord({VK_CONTROL, VK_SHIFT, '5'});
    EXPECT_TRUE(Gone(popup));
    Pump(200);
    EXPECT_EQ(Alpha(target.get()), 255);
}

TEST_F(Popup, NearEveryEdgeAndCornerItOpensWhollyOnTheWorkArea) {
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    Lumvale lumvale;
    Target desk(L"work area", work, WS_POPUP);
    const int width = work.right - work.left - 5, height = work.bottom - work.top - 5;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const POINT at{work.left + 2 + column * width / 2, work.top + 2 + row * height / 2};
            Activate(desk.get());
            HWND popup = Open(lumvale, at);
            ASSERT_NE(popup, nullptr) << at.x << "," << at.y;
            const RECT box = RectOf(popup);
            EXPECT_TRUE(box.left >= work.left && box.top >= work.top && box.right <= work.right &&
                        box.bottom <= work.bottom)
                << at.x << "," << at.y;
            EXPECT_FALSE(::PtInRect(&box, at)) << "the pointer stays free";
            if (row == 1 && column == 1) EXPECT_TRUE(box.right == at.x - 8 && box.top == at.y + 8);
            if (row == 2 && column == 0) Screenshot(L"popup-corner");
            Click({column < 2 ? work.right - 20 : work.left + 20, (work.top + work.bottom) / 2});
            EXPECT_TRUE(Gone(popup));
        }
    }
}

}  // namespace
}  // namespace e2e
