// The digit hot-keys, remembered opacities, and windows that their program
// made layered or that stop answering.
#include <algorithm>

#include "driver.h"

namespace e2e {
namespace {

using HotKeys = Scenario;

struct Attributes {
    bool read;
    COLORREF key;
    int alpha;
    DWORD flags;
};
Attributes AttributesOf(HWND window) {
    Attributes a{false, 0, 0, 0};
    BYTE alpha = 0;
    a.read = ::GetLayeredWindowAttributes(window, &a.key, &alpha, &a.flags) != FALSE;
    a.alpha = alpha;
    return a;
}

// Draws the window with per-pixel alpha, as its program would.
bool DrawPerPixel(HWND window) {
    const RECT box = RectOf(window);
    SIZE size{box.right - box.left, box.bottom - box.top};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB};
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::fill_n(static_cast<DWORD*>(bits), size.cx * size.cy, 0x80004080);  // half transparent, premultiplied
    HGDIOBJ previous = ::SelectObject(memory, bitmap);
    POINT origin{0, 0}, at{box.left, box.top};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const bool drawn = ::UpdateLayeredWindow(window, screen, &at, &size, memory, &origin, 0, &blend, ULW_ALPHA);
    ::SelectObject(memory, previous);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return drawn;
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
        Target target;
        Chord({VK_CONTROL, VK_SHIFT, '5'});
        EXPECT_TRUE(WaitUntil([&] { return Alpha(target.get()) == 180; }));
        EXPECT_TRUE(WaitUntil([&] { return target.Got('5'); })) << "keys are not swallowed";
        EXPECT_TRUE(lumvale.Exit());
    }
    // The next run, remembering off: the program's new window gets its
    // opacity the first time it is in front, and the record follows changes.
    SetSetting(kRemember, L"0");
    DeleteValue(Section(L"Wins"), L"e2e_tests.exeLumvaleE2ETarget");
    Lumvale lumvale;
    Notepad notepad;
    EXPECT_TRUE(WaitUntil([&] { return Alpha(notepad.window()) == 150; }));
    EXPECT_EQ(Read(Section(L"Temp"), HandleText(notepad.window())), L"2");
    Chord({VK_CONTROL, VK_SHIFT, '0'});
    EXPECT_TRUE(WaitUntil([&] { return Alpha(notepad.window()) == 255; }));
    EXPECT_EQ(Read(Section(L"Wins"), L"notepad.exeNotepad"), L"-1");

    // Written by another program while the window is in front, as regedit
    // would: it takes effect within a tick or two.
    Target target;
    Pump(300);
    const DWORD written = ::GetTickCount();
    Write(Section(L"Wins"), L"e2e_tests.exeLumvaleE2ETarget", L"6");
    EXPECT_TRUE(WaitUntil([&] { return Alpha(target.get()) == 210; }, 2000));
    std::printf("a record written by another process applied after %lu ms\n", ::GetTickCount() - written);
}

TEST_F(HotKeys, WindowsLayeredByTheirOwnProgramKeepWhatItSet) {
    Lumvale lumvale;
    Target keyed(L"keyed"), perPixel(L"per-pixel"), translucent(L"translucent");
    for (HWND window : {keyed.get(), perPixel.get(), translucent.get()})
        ::SetWindowLongW(window, GWL_EXSTYLE, ::GetWindowLongW(window, GWL_EXSTYLE) | WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(keyed.get(), RGB(255, 255, 255), 0, LWA_COLORKEY);
    ::SetLayeredWindowAttributes(translucent.get(), 0, 200, LWA_ALPHA);
    ASSERT_TRUE(DrawPerPixel(perPixel.get()));
    for (HWND window : {keyed.get(), perPixel.get(), translucent.get()}) {
        Activate(window);
        Chord({VK_CONTROL, VK_SHIFT, '3'});
        Pump(300);
        const Attributes three = AttributesOf(window);
        Chord({VK_CONTROL, VK_SHIFT, '0'});
        Pump(300);
        const Attributes zero = AttributesOf(window);
        EXPECT_TRUE(::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED) << "its layering stays";
        if (window == keyed.get()) {
            EXPECT_TRUE(three.read && three.key == RGB(255, 255, 255) && three.alpha == 150 &&
                        three.flags == (LWA_ALPHA | LWA_COLORKEY));
            EXPECT_TRUE(zero.read && zero.key == RGB(255, 255, 255) && zero.flags == LWA_COLORKEY);
        } else if (window == perPixel.get()) {
            EXPECT_FALSE(three.read || zero.read) << "never given attributes";
            EXPECT_TRUE(DrawPerPixel(window)) << "its program still draws it";
        } else {
            EXPECT_TRUE(three.read && three.alpha == 150);
            EXPECT_TRUE(zero.read && zero.alpha == 200 && zero.flags == LWA_ALPHA) << "its own alpha is back";
        }
    }
}

TEST_F(HotKeys, AWindowThatStopsAnsweringIsLeftAloneWhileEverythingElseGoesOn) {
    SetSetting(kRemember, L"1");
    Lumvale lumvale;
    Target healthy(L"healthy", {560, 120, 960, 420});
    Notepad notepad;
    const HANDLE thread = ::OpenThread(THREAD_SUSPEND_RESUME, FALSE,
                                       ::GetWindowThreadProcessId(notepad.window(), nullptr));
    ::SuspendThread(thread);  // notepad stops answering
    const DWORD hungSince = ::GetTickCount();
    Write(Section(L"Wins"), L"notepad.exeNotepad", L"1");
    Chord({VK_CONTROL, VK_SHIFT, '3'});
    Pump(600);
    EXPECT_EQ(Alpha(notepad.window()), 255);
    EXPECT_EQ(Read(Section(L"Wins"), L"notepad.exeNotepad"), L"1") << "nothing is remembered of a change not made";
    EXPECT_FALSE(Read(Section(L"Temp"), HandleText(notepad.window())));
    // The popup opens over it, and nothing waits for it.
    Click({RectOf(notepad.window()).left + 150, RectOf(notepad.window()).bottom - 10}, true);
    EXPECT_TRUE(WaitUntil([&] { return lumvale.Window(L"LumvalePopup") != nullptr; }, 1500));
    Click({900, 700});

    // Meanwhile hot-keys and the popup work on another window.
    Activate(healthy.get());
    Chord({VK_CONTROL, VK_SHIFT, '5'});
    EXPECT_TRUE(WaitUntil([&] { return Alpha(healthy.get()) == 180; }, 1500));
    Click(Centre(healthy.get()), true);
    EXPECT_TRUE(WaitUntil([&] { return lumvale.Window(L"LumvalePopup") != nullptr; }, 1500));
    Click({900, 700});
    EXPECT_TRUE(WaitUntil([&] { return lumvale.Window(L"LumvalePopup") == nullptr; }, 1500));
    EXPECT_LT(::GetTickCount() - hungSince, 8000u) << "all of it while notepad did not answer";

    // Once it answers again, in front, it gets its remembered opacity.
    ::SetForegroundWindow(notepad.window());
    Pump(1000);
    ::ResumeThread(thread);
    ::CloseHandle(thread);
    EXPECT_TRUE(WaitUntil([&] { return Alpha(notepad.window()) == 135; }));
    EXPECT_EQ(Read(Section(L"Temp"), HandleText(notepad.window())), L"1");
}

}  // namespace
}  // namespace e2e
