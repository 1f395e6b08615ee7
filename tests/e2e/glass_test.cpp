// What glasses a window: the digit hot-keys, the popup, remembered opacities; what it leaves alone: the shell's
// surfaces, windows that their program made layered or that stop answering, everything while the session is locked.
#include "driver.h"

#include <memory>

namespace e2e {
namespace {

using HotKeys = Scenario;

// A window's layered attributes as "key alpha flags", the alpha "-" where the
// flags leave it out; "none" where they cannot be read.
std::string AttributesOf(HWND window) {
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!::GetLayeredWindowAttributes(window, &key, &alpha, &flags)) return "none";
    return std::to_string(key) + " " + ((flags & LWA_ALPHA) ? std::to_string(alpha) : "-") + " " + std::to_string(flags);
}

TEST_F(HotKeys, DigitsGlassTheWindowInFrontWhichGetsTheKeysAndRememberedOnesComeBack) {
    SetSetting(kRemember, L"1");
    {
        Lumvale lumvale;
        Notepad notepad;
        Chord({VK_CONTROL, VK_SHIFT, '3'});
        EXPECT_TRUE(WaitUntil([&] { return Alpha(notepad.window()) == 150; }));
        EXPECT_TRUE(WaitUntil([&] { return Read(Section(L"Wins"), L"notepad.exeNotepad") == L"2"; }));
        Screenshot(L"hotkey-notepad");
        EXPECT_TRUE(lumvale.Exit());
    }
    // The next run, remembering off: the program's new window gets its
    // opacity the first time it is in front, and the record follows changes.
    SetSetting(kRemember, L"0");
    Lumvale lumvale;
    Notepad notepad;
    // Each record is written once the change is made: both are waited for.
    EXPECT_TRUE(WaitUntil(
        [&] { return Alpha(notepad.window()) == 150 && Read(Section(L"Temp"), HandleText(notepad.window())) == L"2"; }));
    Chord({VK_CONTROL, VK_SHIFT, '0'});
    EXPECT_TRUE(WaitUntil(
        [&] { return Alpha(notepad.window()) == 255 && Read(Section(L"Wins"), L"notepad.exeNotepad") == L"-1"; }));

    // After a rest without input the poll stands still (the first keys wake it: Startup): a right click wakes it; a
    // window that comes to the front meanwhile gets its opacity within a second (a held combination: unit table).
    Pump(1500);
    Click(StatusBar(notepad.window()), true);
    EXPECT_NE(lumvale.Await(L"LumvalePopup", 1000), nullptr) << "a right click";
    Click({900, 700});
    Write(Section(L"Wins"), L"e2e_tests.exeLumvaleLateWindow", L"4");
    Pump(1500);
    const Target late(L"late", {560, 120, 960, 420}, WS_OVERLAPPEDWINDOW, L"LumvaleLateWindow");  // no input
    EXPECT_TRUE(WaitUntil([&] { return Alpha(late.get()) == 180; }, 700));

    // The keys reach the window too (a tap between two ticks: unit table); nothing
    // is remembered; a record written by another program takes effect.
    Target target;
    Chord({VK_CONTROL, VK_SHIFT, '5'});
    EXPECT_TRUE(WaitUntil([&] { return Alpha(target.get()) == 180; }));
    EXPECT_TRUE(WaitUntil([&] { return target.Got('5'); })) << "keys are not swallowed";
    EXPECT_FALSE(Read(Section(L"Wins"), L"e2e_tests.exeLumvaleE2ETarget"));
    Write(Section(L"Wins"), L"e2e_tests.exeLumvaleE2ETarget", L"8");
    EXPECT_TRUE(WaitUntil([&] { return Alpha(target.get()) == 240; }, 2000));
}

TEST_F(HotKeys, NeitherTheDesktopNorTheTaskbarsAreGlassedNorAnythingWhileTheSessionIsLockedOrAway) {
    SetSetting(kRemember, L"1");
    Lumvale lumvale;
    // The desktop, the taskbars, the hidden icons, the Start menu and jump lists
    // of Windows 7, thumbnails, task view and Alt+Tab; another copy's hidden
    // window; the Start menu of Windows 10 and 11 (a top-level CoreWindow of its host).
    const std::wstring start = ExeDirectory() + L"\\StartMenuExperienceHost.exe";
    ::CopyFileW((ExeDirectory() + L"\\stand_in.exe").c_str(), start.c_str(), FALSE);
    const Process startMenu(L"\"" + start + L"\"");
    for (const wchar_t* shell : {L"WorkerW", L"Progman", L"Shell_SecondaryTrayWnd", L"NotifyIconOverflowWindow",
                                 L"TopLevelWindowForOverflowXamlIsland", L"DV2ControlHost", L"TaskListThumbnailWnd",
                                 L"MultitaskingViewFrame", L"XamlExplorerHostIslandWindow", L"LumvaleMain",
                                 L"#32768" /* a menu */, L"Windows.UI.Core.CoreWindow"}) {
        const bool core = shell[0] == L'W' && shell[1] == L'i';
        const std::wstring identity = (core ? L"StartMenuExperienceHost.exe" : L"e2e_tests.exe") + std::wstring(shell);
        Write(Section(L"Wins"), identity, L"4");  // not applied either
        std::optional<Target> own;
        if (!core) own.emplace(shell, RECT{100, 100, 600, 500}, WS_POPUP, shell);
        const HWND surface = core ? startMenu.Await(shell) : own->get();
        if (core) Activate(surface);
        Chord({VK_CONTROL, VK_SHIFT, '3'});
        Click({300, 300}, true);
        Pump(300);
        EXPECT_EQ(Alpha(surface), 255) << shell;
        EXPECT_EQ(lumvale.Window(L"LumvalePopup"), nullptr) << shell;
        EXPECT_EQ(Read(Section(L"Wins"), identity), L"4") << shell;
        EXPECT_FALSE(Read(Section(L"Temp"), HandleText(surface))) << shell;
        Click({900, 700});  // ends the popup trigger's cycle
    }
    Target target;  // locked and unlocked; a remote session disconnected and connected
    for (const auto& [pause, resume, digit, alpha] : {std::tuple{7, 8, '3', 150}, {4, 3, '5', 180}}) {
        const int before = Alpha(target.get());
        ::SendMessageW(lumvale.main(), 0x02B1 /* WM_WTSSESSION_CHANGE */, pause, 0);
        Chord({VK_CONTROL, VK_SHIFT, static_cast<WORD>(digit)});
        Click({300, 300}, true);
        Pump(500);
        EXPECT_EQ(Alpha(target.get()), before) << pause;
        EXPECT_EQ(lumvale.Window(L"LumvalePopup"), nullptr) << pause;
        ::SendMessageW(lumvale.main(), 0x02B1, resume, 0);
        Chord({VK_CONTROL, VK_SHIFT, static_cast<WORD>(digit)});
        EXPECT_TRUE(WaitUntil([&] { return Alpha(target.get()) == alpha; }, 1000)) << resume;
        Click({300, 300}, true);
        EXPECT_TRUE(WaitUntil([&] { return lumvale.Window(L"LumvalePopup") != nullptr; }, 1000)) << resume;
        Click(Item(lumvale.Window(L"LumvalePopup"), alpha == 150 ? 2 : 4));  // the same opacity again; the target in front
    }
}

TEST_F(HotKeys, WhatTheirProgramSetIsKeptNothingWaitsForAWindowThatStopsAnsweringAndAllIsGivenBack) {
    auto lumvale = std::make_unique<Lumvale>();
    Notepad stuck;  // stops answering, glassed
    Notepad notepad;
    const Target topmost(L"on top before", {560, 60, 960, 300}, WS_OVERLAPPEDWINDOW, L"LumvaleE2ETarget", WS_EX_TOPMOST);
    const Target keyed(L"keyed", {100, 420, 500, 700}), perPixel(L"per-pixel");  // one with its own alpha: unit table
    auto tray = std::make_unique<FakeTray>(FakeTray::kHandOn);  // hears the balloons (Wine 10.0's shell shows none)
    for (HWND window : {keyed.get(), perPixel.get()})
        ::SetWindowLongW(window, GWL_EXSTYLE, ::GetWindowLongW(window, GWL_EXSTYLE) | WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(keyed.get(), RGB(255, 255, 255), 0, LWA_COLORKEY);
    ASSERT_TRUE(DrawPerPixel(perPixel.get()));
    // After Ctrl + Shift + 3, then after Ctrl + Shift + 0.
    const std::tuple<HWND, std::string, std::string> layered[] = {
        {keyed.get(), "16777215 150 3", "16777215 - 1"},  // the key kept
        {perPixel.get(), "none", "none"}};                // never given attributes
    for (const auto& [window, three, zero] : layered) {
        Activate(window);
        Chord({VK_CONTROL, VK_SHIFT, '3'});
        Pump(300);
        EXPECT_EQ(AttributesOf(window), three);
        Chord({VK_CONTROL, VK_SHIFT, '0'});
        Pump(300);
        EXPECT_EQ(AttributesOf(window), zero);
        EXPECT_TRUE(::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED) << "its layering stays";
    }
    EXPECT_TRUE(DrawPerPixel(perPixel.get())) << "its program still draws it";
    EXPECT_EQ(tray->Carried(L"这个窗口自己绘制透明效果，Lumvale 不改变它。"), 1) << "said once";

    // Glassed: a window on top before, and the one that then stops answering in front.
    for (HWND window : {notepad.window(), topmost.get(), keyed.get(), stuck.window()}) {
        Activate(window);
        Chord({VK_CONTROL, VK_SHIFT, '5'});
        EXPECT_TRUE(WaitUntil([&] { return Alpha(window) == 180; }));
    }
    Screenshot(L"balloon");  // the shell's, shown 2 s after it was asked for (by Wine 8: Wine 10.0's shows none)
    tray = std::make_unique<FakeTray>();  // takes the requests: the shell is left out while a window does not answer
    const HANDLE thread = ::OpenThread(THREAD_SUSPEND_RESUME, FALSE, ::GetWindowThreadProcessId(stuck.window(), nullptr));
    ::SuspendThread(thread);
    // A hot-key, and a choice in the popup that opens over it without waiting, are refused; said once.
    Chord({VK_CONTROL, VK_SHIFT, '3'});
    const HWND overStuck = lumvale->Popup(stuck.window(), StatusBar(stuck.window()));
    ASSERT_NE(overStuck, nullptr);
    Click(Item(overStuck, 2));
    Pump(300);
    EXPECT_EQ(Alpha(stuck.window()), 180);
    EXPECT_FALSE(Read(Section(L"Temp"), HandleText(stuck.window()))) << "nothing is recorded of a change not made";
    // Meanwhile the popup works on another window: an opacity of its list ("穿透" greyed while the window is
    // opaque), then its boxes, each in a popup of its own. "最上" puts it on top; "穿透" lets clicks fall through it
    // to the window beneath, and says once how to undo that without the mouse.
    const Target popped(L"popped", {560, 120, 960, 420});
    const auto glassThrough = [&](int item, const std::vector<const wchar_t*>& boxes) {
        const HWND popup = lumvale->Popup(popped.get(), Inside(popped.get()));
        EXPECT_FALSE(::IsWindowEnabled(Child(popup, L"Button", L"穿透")));
        Click(Item(popup, item));
        for (const wchar_t* box : boxes) Click(Child(lumvale->Popup(popped.get(), Inside(popped.get())), L"Button", box));
    };
    glassThrough(2, {L"最上  ", L"穿透"});
    const POINT overTopmost{600, 200};  // on popped, above the window on top before
    Click(overTopmost);
    EXPECT_TRUE(topmost.clicks() == 1 && Alpha(popped.get()) == 150 && Topmost(popped.get())) << "the click fell through";
    EXPECT_EQ(tray->Carried(L"鼠标现在会穿过这个窗口。要恢复：用 Alt+Tab 切换到它，再按 Ctrl + Shift + 0；或在托盘菜单中选择“还原所有窗口”。"), 1);
    // In front again (as by Alt+Tab: Wine's desktop has no switcher), a hot-key 1-9 keeps the mouse's way through,
    // and 0 takes it back.
    for (const auto& [digit, alpha, clicks] : {std::tuple{'7', 210, 2}, {'0', 255, 2}}) {
        Activate(popped.get());
        Chord({VK_CONTROL, VK_SHIFT, static_cast<WORD>(digit)});
        EXPECT_TRUE(WaitUntil([&] { return Alpha(popped.get()) == alpha; })) << digit;
        Click(overTopmost);
        EXPECT_EQ(topmost.clicks(), clicks) << digit;
    }
    EXPECT_FALSE(SeeThrough(popped.get()));
    // From the menu, notepad in front: no window is activated on the way, and notepad gets the keyboard back.
    Activate(notepad.window());
    const int activations = popped.activations();
    lumvale->FromTray(2);  // 还原所有窗口
    EXPECT_TRUE(WaitUntil([&] {
        return Alpha(notepad.window()) == 255 && Alpha(popped.get()) == 255 && !Topmost(popped.get()) &&
               !SeeThrough(popped.get()) && AttributesOf(keyed.get()) == "16777215 - 1" && Alpha(topmost.get()) == 255 &&
               Topmost(topmost.get());
    }, 1000));
    GUITHREADINFO keyboard{sizeof(keyboard)};  // of the thread in front
    EXPECT_TRUE(WaitUntil([&] { return ::GetGUIThreadInfo(0, &keyboard) && keyboard.hwndFocus == Child(notepad.window(), L"Edit"); },
                          1000)) << ClassOf(::GetForegroundWindow());
    EXPECT_EQ(popped.activations(), activations);
    EXPECT_EQ(Alpha(stuck.window()), 180) << "a window that does not answer is skipped";
    EXPECT_EQ(tray->Carried(L"这个窗口没有响应，透明度没有改变。"), 1);
    tray.reset();
    EXPECT_EQ(Read(Section(L"Temp"), HandleText(popped.get())), L"-1");
    EXPECT_FALSE(Read(Section(L"Temp"), HandleText(popped.get()) + L"a"));
    // Given back it stays, though remembered meanwhile, when a second copy's start and exit take the run records.
    Write(Section(L"Wins"), L"notepad.exeNotepad", L"2");
    EXPECT_TRUE(Lumvale().Exit());
    Pump(1000);
    EXPECT_EQ(Alpha(notepad.window()), 255);
    // Killed with a window glassed, remembered and see-through to the mouse, the next copy gives it back too; a new
    // window of its program gets the remembered opacity alone, and takes clicks.
    glassThrough(3, {L"保存", L"穿透"});
    EXPECT_TRUE(WaitUntil([&] { return Alpha(popped.get()) == 165 && SeeThrough(popped.get()); }));
    ::TerminateProcess(lumvale->handle(), 1);
    ASSERT_TRUE(lumvale->Ended());
    lumvale = std::make_unique<Lumvale>();
    const Target fresh(L"fresh", {100, 60, 500, 400});
    EXPECT_TRUE(WaitUntil([&] { return Alpha(fresh.get()) == 165; }));
    Click(Inside(fresh.get()));
    EXPECT_EQ(fresh.clicks(), 1);
    lumvale->FromTray(2);
    EXPECT_TRUE(WaitUntil([&] { return Alpha(popped.get()) == 255 && !SeeThrough(popped.get()); }, 1000));
    ::ResumeThread(thread);
    ::CloseHandle(thread);
}

using Popup = Scenario;

TEST_F(Popup, ItsChoicesAndBoxesActOnTheWindowInFrontAndAreShownTheNextTime) {
    Lumvale lumvale;
    const Target floating(L"never takes the focus", {20, 500, 260, 700}, WS_POPUP | WS_BORDER, L"LumvaleE2ETarget",
                          WS_EX_TOPMOST | WS_EX_NOACTIVATE);
    Notepad notepad;
    ::SetWindowPos(notepad.window(), nullptr, 300, 60, 600, 380, SWP_NOZORDER);
    const POINT status = StatusBar(notepad.window());
    HWND popup = lumvale.Popup(notepad.window(), status);
    ASSERT_NE(popup, nullptr);
    // Beside the pointer; where it does not fit there: unit table.
    EXPECT_EQ(std::make_pair(RectOf(popup).right, RectOf(popup).top), std::make_pair(status.x - 8, status.y + 8));
    EXPECT_TRUE(Alpha(popup) == 240 && Topmost(popup) && ::GetForegroundWindow() == popup);
    EXPECT_TRUE(Child(popup, L"Static", L"notepad.exe") && Child(popup, L"Static", L"Notepad..."));
    EXPECT_EQ(::SendMessageW(Child(popup, L"ListBox"), LB_GETCURSEL, 0, 0), LB_ERR);
    Screenshot(L"popup");
    Click(Item(popup, 4));
    EXPECT_TRUE(WaitUntil([&] {
        return Alpha(notepad.window()) == 180 && Read(Section(L"Temp"), HandleText(notepad.window())) == L"4";
    }));
    EXPECT_TRUE(Gone(popup));
    // Notepad keeps the foreground, not the topmost window next to the popup, which a click does not activate:
    // a right click on that one is for notepad.
    Click(Centre(floating.get()), true);
    popup = lumvale.Await(L"LumvalePopup");
    ASSERT_TRUE(popup && Child(popup, L"Static", L"Notepad...")) << ClassOf(::GetForegroundWindow());
    EXPECT_EQ(::SendMessageW(Child(popup, L"ListBox"), LB_GETCURSEL, 0, 0), 4) << "the last choice is shown";
    Click({900, 700});
    EXPECT_TRUE(Gone(popup));

    // Its boxes keep a window on top and remember its program.
    Target target;
    const HWND window = target.get();
    const POINT inside = Inside(window);
    const std::wstring run = HandleText(window), identity = L"e2e_tests.exeLumvaleE2ETarget";
    popup = lumvale.Popup(window, inside);
    Click(Child(popup, L"Button", L"最上  "));
    EXPECT_TRUE(WaitUntil([&] { return Topmost(window) && Read(Section(L"Temp"), run + L"a") == L"1"; }));
    EXPECT_EQ(Read(Section(L"Temp"), run), L"-1");
    EXPECT_TRUE(Gone(popup)) << "the click on the box was the closing click";

    popup = lumvale.Popup(window, inside);
    EXPECT_TRUE(Checked(Child(popup, L"Button", L"最上  ")));
    Click(Child(popup, L"Button", L"保存"));
    EXPECT_TRUE(WaitUntil([&] { return Read(Section(L"Wins"), identity) == L"-1"; }));
    popup = lumvale.Popup(window, inside);
    EXPECT_TRUE(Checked(Child(popup, L"Button", L"保存")));
    EXPECT_FALSE(::IsWindowEnabled(Child(popup, L"Button", L"保存"))) << "a remembered program cannot be unticked";
    Click(Item(popup, 2));
    EXPECT_TRUE(WaitUntil([&] { return Alpha(window) == 150 && Read(Section(L"Wins"), identity) == L"2"; }));

    popup = lumvale.Popup(window, inside);
    Click(Child(popup, L"Button", L"取消所有设定   "));
    EXPECT_TRUE(WaitUntil([&] { return Alpha(window) == 255 && Read(Section(L"Wins"), identity) == L"-1"; }));

    // A hot-key while it is open closes it, never glassing the popup (held
    // on, it acts on the window in front after it).
    popup = lumvale.Popup(window, inside);
    ReleaseEverything();
    Chord({VK_CONTROL, VK_SHIFT, '5'});
    EXPECT_TRUE(Gone(popup));

    // A second choice by key while the first waits for the window to answer, beep on: what is recorded is what the
    // window shows, and the popup opens again at the next right click.
    SetSetting(L"Beep", L"1");
    Click({900, 700});  // the click that ends the cycle of the popup the hot-key closed
    target.AnswerAfter(150);
    for (int round = 0; round < 3; ++round) {
        popup = lumvale.Popup(window, inside);
        ASSERT_NE(popup, nullptr) << round;
        Click(Item(popup, round + 2), false, 20);
        Tap(VK_DOWN);
        EXPECT_TRUE(Gone(popup));
        Pump(500);
        EXPECT_EQ(Read(Section(L"Temp"), run), std::to_wstring((Alpha(window) - 120) / 15)) << round;
    }

    // Exit in the middle of a choice: the target closes Lumvale when the
    // choice asks it whether it answers, and the close comes in as it beeps.
    popup = lumvale.Popup(window, inside);
    target.CloseWhenAsked(lumvale.main());
    Click(Item(popup, 2));
    ASSERT_TRUE(lumvale.Ended());
    EXPECT_EQ(lumvale.ExitCode(), 0u);
    EXPECT_FALSE(Exists(Section(L"Temp")));
}

}  // namespace
}  // namespace e2e
