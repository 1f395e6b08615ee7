// The transparency popup, opened with real right clicks.
#include "driver.h"

namespace e2e {
namespace {

class Popup : public Scenario {
protected:
    // Right-clicks at `at` over `target`, brought to the front; waits for the popup.
    static HWND Open(const Lumvale& lumvale, HWND target, POINT at) {
        Activate(target);
        Click(at, true);
        const HWND popup = lumvale.Await(L"LumvalePopup");
        Pump(300);  // the activation reaches the X server before the next click
        return popup;
    }
    static bool Gone(HWND popup) {
        return WaitUntil([&] { return !::IsWindow(popup) || !::IsWindowVisible(popup); });
    }
};

TEST_F(Popup, ItsChoicesAndBoxesActOnTheWindowInFrontAndAreShownTheNextTime) {
    Lumvale lumvale;
    Notepad notepad;
    ::SetWindowPos(notepad.window(), nullptr, 300, 60, 600, 420, SWP_NOZORDER);
    // Notepad's status bar opens no menu of its own.
    const POINT status{RectOf(notepad.window()).left + 150, RectOf(notepad.window()).bottom - 10};
    HWND popup = Open(lumvale, notepad.window(), status);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(std::make_pair(RectOf(popup).right, RectOf(popup).top), std::make_pair(status.x - 8, status.y + 8));
    EXPECT_TRUE(Alpha(popup) == 240 && Topmost(popup) && ::GetForegroundWindow() == popup);
    EXPECT_NE(Child(popup, L"Static", L"notepad.exe"), nullptr);
    EXPECT_NE(Child(popup, L"Static", L"Notepad..."), nullptr);
    EXPECT_EQ(::SendMessageW(Child(popup, L"ListBox"), LB_GETCURSEL, 0, 0), LB_ERR);
    Screenshot(L"popup");
    Click(Item(popup, 4));
    EXPECT_TRUE(WaitUntil([&] {
        return Alpha(notepad.window()) == 180 && Read(Section(L"Temp"), HandleText(notepad.window())) == L"4";
    }));
    EXPECT_TRUE(Gone(popup));
    popup = Open(lumvale, notepad.window(), status);
    EXPECT_EQ(::SendMessageW(Child(popup, L"ListBox"), LB_GETCURSEL, 0, 0), 4) << "the last choice is shown";
    Click({900, 700});
    EXPECT_TRUE(Gone(popup));
    // In the corner above the taskbar it opens right of the pointer and
    // above it, on the work area (the arithmetic of every edge: unit table).
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    popup = Open(lumvale, notepad.window(), {work.left + 2, work.bottom - 3});
    EXPECT_EQ(std::make_pair(RectOf(popup).left, RectOf(popup).bottom), std::make_pair(work.left + 10, work.bottom - 11));
    Screenshot(L"popup-corner");
    Click({900, 700});
    EXPECT_TRUE(Gone(popup));

    // Its boxes keep a window on top and remember its program.
    Target target;
    const HWND window = target.get();
    const POINT inside{RectOf(window).left + 8, RectOf(window).top + 200};  // the popup opens clear of it
    const std::wstring run = HandleText(window), identity = L"e2e_tests.exeLumvaleE2ETarget";
    popup = Open(lumvale, window, inside);
    Click(Child(popup, L"Button", L"最上  "));
    EXPECT_TRUE(WaitUntil([&] { return Topmost(window); }));
    EXPECT_EQ(Read(Section(L"Temp"), run + L"a"), L"1");
    EXPECT_EQ(Read(Section(L"Temp"), run), L"-1");
    EXPECT_TRUE(Gone(popup)) << "the click on the box was the closing click";

    popup = Open(lumvale, window, inside);
    EXPECT_TRUE(Checked(Child(popup, L"Button", L"最上  ")));
    Click(Child(popup, L"Button", L"保存"));
    EXPECT_TRUE(WaitUntil([&] { return Read(Section(L"Wins"), identity) == L"-1"; }));
    popup = Open(lumvale, window, inside);
    EXPECT_TRUE(Checked(Child(popup, L"Button", L"保存")));
    EXPECT_FALSE(::IsWindowEnabled(Child(popup, L"Button", L"保存"))) << "a remembered program cannot be unticked";
    Click(Item(popup, 2));
    EXPECT_TRUE(WaitUntil([&] { return Alpha(window) == 150 && Read(Section(L"Wins"), identity) == L"2"; }));

    popup = Open(lumvale, window, inside);
    Click(Child(popup, L"Button", L"取消所有设定   "));
    EXPECT_TRUE(WaitUntil([&] { return Alpha(window) == 255 && Read(Section(L"Wins"), identity) == L"-1"; }));
    EXPECT_TRUE(Gone(popup));

    // A hot-key while it is open acts on the popup itself, which closes.
    popup = Open(lumvale, window, inside);
    ReleaseEverything();
    Chord({VK_CONTROL, VK_SHIFT, '5'});
    EXPECT_TRUE(Gone(popup));
    Pump(200);
    EXPECT_EQ(Alpha(window), 255);

    // Exit in the middle of a choice: the target closes Lumvale when the
    // choice asks it whether it answers, and the close comes in as it beeps.
    SetSetting(L"Beep", L"1");
    Click({900, 700});  // the click that ends the cycle of the popup the hot-key closed
    popup = Open(lumvale, window, inside);
    target.CloseWhenAsked(lumvale.main());
    Click(Item(popup, 2));
    ASSERT_TRUE(lumvale.Ended());
    EXPECT_EQ(lumvale.ExitCode(), 0u);
    EXPECT_TRUE(WaitUntil([] { return !TrayIcon(); }));
    EXPECT_FALSE(Exists(Section(L"Temp")));
}

}  // namespace
}  // namespace e2e
