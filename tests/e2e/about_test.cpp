// The about window of the real program: the splash at start-up with the
// first-run step, and the about box from the tray menu with its links.
#include <gtest/gtest.h>

#include <iostream>

#include "driver.h"

namespace e2e {
namespace {

const wchar_t kAboutClass[] = L"LumvaleAbout";

HWND VisibleAboutOf(DWORD processId) { return FindWindowOf(processId, kAboutClass, true); }

HWND CloseFrameOf(HWND about) { return ::FindWindowExW(about, nullptr, L"LumvaleFrame", nullptr); }

// The visible part of the close button: the clipping box that holds it.
HWND CloseBoxOf(HWND about) { return ::FindWindowExW(CloseFrameOf(about), nullptr, L"LumvalePictureBox", nullptr); }

POINT Centre(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

// A point of the about window's client area on the screen; the window has
// no frame, so its client area is the window.
POINT OnScreen(HWND about, int x, int y) {
    const RECT box = WindowRectOf(about);
    return {box.left + x, box.top + y};
}

class About : public ::testing::Test {
protected:
    void SetUp() override {
        ReleaseEverything();
        ResetStore();
        MarkSettingsSaved();
    }
    void TearDown() override {
        MakeTaskbarOpaque();
        ResetStore();
    }
    static void MakeTaskbarOpaque() {
        const HWND taskbar = Taskbar();
        ::SetWindowLongW(taskbar, GWL_EXSTYLE, ::GetWindowLongW(taskbar, GWL_EXSTYLE) & ~WS_EX_LAYERED);
    }

    // Chooses the item `downs` presses of Down away from no selection: 1 is
    // 设置, 3 is 关于 Lumvale.
    bool ChooseFromTheTrayMenu(Lumvale& lumvale, int downs) {
        const auto icon = FindLumvaleTrayIcon();
        if (!icon) return false;
        Click(icon->x, icon->y);
        HWND menu = nullptr;
        if (!WaitUntil([&] { return (menu = OpenMenuOf(lumvale.process().id())) != nullptr; }, 3000)) return false;
        // Off the icon, so that no later press lands where Wine last saw it.
        MoveMouse(40, 40);
        PumpMessages(200);
        for (int i = 0; i < downs; ++i) PressChord({VK_DOWN}, 40);
        PressChord({VK_RETURN});
        return WaitUntil([&] { return !::IsWindowVisible(menu); }, 3000);
    }

    HWND OpenAboutFromTheTrayMenu(Lumvale& lumvale) {
        if (!ChooseFromTheTrayMenu(lumvale, 3)) return nullptr;
        HWND about = nullptr;
        WaitUntil([&] { return (about = VisibleAboutOf(lumvale.process().id())) != nullptr; }, 5000);
        return about;
    }

    void ClickCloseButton(HWND about) {
        const POINT at = Centre(WindowRectOf(CloseBoxOf(about)));
        Click(at.x, at.y);
    }

    // Starts the program and returns its splash once it shows.
    HWND StartAndWaitForTheSplash(Process& process) {
        process = Process(L"\"" + LumvaleExePath() + L"\"");
        HWND splash = nullptr;
        WaitUntil([&] { return (splash = VisibleAboutOf(process.id())) != nullptr; }, 15000);
        return splash;
    }
};

TEST_F(About, TheSplashAtStartIsTopmostTranslucentWithoutCloseButtonAndClosesItself) {
    Process lumvale;
    const HWND splash = StartAndWaitForTheSplash(lumvale);
    ASSERT_NE(splash, nullptr);
    const DWORD shownAt = ::GetTickCount();
    // Loading the splash created the hidden main window.
    const HWND main = FindWindowOf(lumvale.id(), L"LumvaleMain");
    EXPECT_NE(main, nullptr);
    EXPECT_TRUE(IsTopmost(splash));
    EXPECT_EQ(LayeredAlpha(splash), 240);
    EXPECT_EQ(::GetWindowLongW(splash, GWL_STYLE) & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME), 0);
    EXPECT_FALSE(::IsWindowVisible(CloseFrameOf(splash)));
    EXPECT_EQ(::GetWindow(splash, GW_OWNER), main);
    const RECT box = WindowRectOf(splash);
    EXPECT_EQ(box.right - box.left, 461);
    EXPECT_EQ(box.bottom - box.top, 254);
    EXPECT_EQ(box.left, (::GetSystemMetrics(SM_CXSCREEN) - 461) / 2);
    PumpMessages(300);
    Screenshot(L"about-splash");

    ASSERT_TRUE(WaitUntil([&] { return FindWindowOf(lumvale.id(), kAboutClass) == nullptr; }, 8000));
    const DWORD shownFor = ::GetTickCount() - shownAt;
    std::cout << "the splash showed for about " << shownFor << " ms\n";
    EXPECT_GE(shownFor, 1000u);
    EXPECT_LE(shownFor, 6000u);
    // The program stays resident with its icon.
    EXPECT_TRUE(lumvale.Running());
    EXPECT_TRUE(WaitUntil([&] { return FindLumvaleTrayIcon().has_value(); }));
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(lumvale.WaitForExit(5000));
}

TEST_F(About, UntilTheSettingsAreSavedTheSplashHandsOverToTheSettingsDialog) {
    const HWND taskbar = Taskbar();
    ResetStore();
    WriteValue(kSettingsSection, L"TBar", L"150");
    // Cancelled, saved, then only the splash.
    const wchar_t* const buttons[] = {L"取消   ", L"保存 ", nullptr};
    for (const wchar_t* button : buttons) {
        const bool firstRun = button != nullptr;
        MakeTaskbarOpaque();
        Process lumvale;
        ASSERT_NE(StartAndWaitForTheSplash(lumvale), nullptr);
        // A slider dragged in the dialog leaves the taskbar at an alpha that
        // is not stored: once the dialog has closed, the stored one is back.
        ASSERT_TRUE(WaitUntil([&] { return LayeredAlpha(taskbar) == 150; }));
        ::SetLayeredWindowAttributes(taskbar, 0, 200, LWA_ALPHA);
        ASSERT_TRUE(WaitUntil([&] { return FindWindowOf(lumvale.id(), kAboutClass) == nullptr; }, 8000));

        HWND dialog = nullptr;
        const bool opened = WaitUntil(
            [&] { return (dialog = FindWindowOf(lumvale.id(), L"LumvaleSettings", true)) != nullptr; },
            firstRun ? 5000 : 1500);
        ASSERT_EQ(opened, firstRun);
        if (firstRun) {
            EXPECT_EQ(ReadValue(kSettingsSection, kRememberKey), std::nullopt);
            const POINT at = CenterOf(FindDescendant(dialog, L"Button", button));
            Click(at.x, at.y);
            ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));
        }
        EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(taskbar) == (firstRun ? 150 : 200); }));
        // Cancel writes nothing, so the next start opens the dialog again;
        // Save writes the value that ends the first run.
        EXPECT_EQ(ReadValue(kSettingsSection, kRememberKey).has_value(), button != buttons[0]);
        EXPECT_TRUE(lumvale.Running());
        lumvale.Terminate();
    }
}

TEST_F(About, FromTheTrayMenuItIsModalWithItsCloseButtonEveryTime) {
    Lumvale lumvale;
    ASSERT_TRUE(WaitUntil([&] { return FindLumvaleTrayIcon().has_value(); }));
    for (int round = 0; round < 2; ++round) {
        const HWND about = OpenAboutFromTheTrayMenu(lumvale);
        ASSERT_NE(about, nullptr) << round;
        EXPECT_TRUE(IsTopmost(about));
        EXPECT_EQ(LayeredAlpha(about), 240);
        EXPECT_TRUE(::IsWindowVisible(CloseFrameOf(about)));
        const HWND button = ::FindWindowExW(CloseBoxOf(about), nullptr, L"Button", nullptr);
        EXPECT_TRUE(::IsWindowVisible(button));
        EXPECT_EQ(TextOf(button), L"X");
        // Modal: the program's hidden main window takes no input meanwhile.
        EXPECT_FALSE(::IsWindowEnabled(lumvale.mainWindow()));
        // Owned by the hidden main window: no taskbar button.
        EXPECT_EQ(::GetWindow(about, GW_OWNER), lumvale.mainWindow());
        if (round == 0) {
            PumpMessages(300);
            Screenshot(L"about-box");
            // Asked for again while open: the same box comes to the front.
            EXPECT_EQ(OpenAboutFromTheTrayMenu(lumvale), about);
            EXPECT_EQ(WindowsOf(lumvale.process().id(), kAboutClass).size(), 1u);
            EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == about; }));
        } else {
            // No timer: it stays longer than the splash would.
            PumpMessages(2500);
            EXPECT_TRUE(::IsWindowVisible(about));
        }
        ClickCloseButton(about);
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(about); })) << round;
        EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(lumvale.mainWindow()) != FALSE; })) << round;
    }
    EXPECT_TRUE(lumvale.Close());
}

TEST_F(About, FromTheSettingsDialogItIsModalOverTheDialog) {
    Lumvale lumvale;
    ASSERT_TRUE(WaitUntil([&] { return FindLumvaleTrayIcon().has_value(); }));
    ASSERT_TRUE(ChooseFromTheTrayMenu(lumvale, 1));
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (dialog = FindWindowOf(lumvale.process().id(), L"LumvaleSettings", true)) != nullptr; }, 5000));
    WaitUntil([&] { return ::GetForegroundWindow() == dialog; }, 3000);
    PumpMessages(300);
    POINT at = CenterOf(FindDescendant(dialog, L"Button", L"关于  "));
    Click(at.x, at.y);

    HWND about = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (about = VisibleAboutOf(lumvale.process().id())) != nullptr; }, 5000));
    EXPECT_EQ(::GetWindow(about, GW_OWNER), dialog);
    EXPECT_FALSE(::IsWindowEnabled(dialog));
    EXPECT_TRUE(IsTopmost(about));
    EXPECT_TRUE(::IsWindowVisible(CloseFrameOf(about)));
    ClickCloseButton(about);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(about); }));
    // The dialog takes input again and is in front.
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(dialog) != FALSE; }));
    EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == dialog; }));
    PumpMessages(300);
    at = CenterOf(FindDescendant(dialog, L"Button", L"取消   "));
    Click(at.x, at.y);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));
    EXPECT_TRUE(lumvale.Close());
}

TEST_F(About, ExitWhileThePopupTheDialogAndTheAboutBoxAreOpenClosesEverything) {
    Lumvale lumvale;
    TargetWindow target;
    WriteValue(L"Temp", L"4321", L"2");
    ASSERT_TRUE(WaitUntil([&] { return FindLumvaleTrayIcon().has_value(); }));
    ASSERT_TRUE(ChooseFromTheTrayMenu(lumvale, 1));
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (dialog = FindWindowOf(lumvale.process().id(), L"LumvaleSettings", true)) != nullptr; }, 5000));
    PumpMessages(300);
    const POINT about = CenterOf(FindDescendant(dialog, L"Button", L"关于  "));
    Click(about.x, about.y);
    ASSERT_TRUE(WaitUntil([&] { return VisibleAboutOf(lumvale.process().id()) != nullptr; }, 5000));
    // The poller goes on inside the modal loops: a right click opens the popup.
    const RECT targetBox = WindowRectOf(target.get());
    Click(targetBox.left + 20, targetBox.top + 60, true);
    ASSERT_TRUE(WaitUntil([&] { return FindWindowOf(lumvale.process().id(), L"LumvalePopup", true) != nullptr; }));
    PumpMessages(300);
    // 离开 is the fifth item.
    ASSERT_TRUE(ChooseFromTheTrayMenu(lumvale, 5));
    EXPECT_TRUE(lumvale.process().WaitForExit(5000));
    EXPECT_FALSE(SectionExists(L"Temp"));
    EXPECT_TRUE(WaitUntil([] { return !FindLumvaleTrayIcon(); }));
}

TEST_F(About, ItsLinksHandTheShellTheHomePageAndTheFeedbackMail) {
    RegisterUrlRecorder();
    Lumvale lumvale;
    ASSERT_TRUE(WaitUntil([&] { return FindLumvaleTrayIcon().has_value(); }));
    const HWND about = OpenAboutFromTheTrayMenu(lumvale);
    ASSERT_NE(about, nullptr);
    const std::pair<POINT, std::wstring> links[] = {
        {{343, 239}, L"http://www.example.com"},                                  // lbWWW
        {{100, 239}, L"mailto:feedback@example.com?subject=lumvale汉化反馈  "},  // lbEmail
    };
    for (const auto& [at, address] : links) {
        ClearRecordedUrls();
        const POINT screen = OnScreen(about, at.x, at.y);
        Click(screen.x, screen.y);
        ASSERT_TRUE(WaitUntil([&] { return !RecordedUrls().empty(); }, 10000)) << at.x;
        EXPECT_EQ(RecordedUrls(), std::vector<std::wstring>{address});
    }
    // A click elsewhere opens nothing, and the box stays open.
    ClearRecordedUrls();
    const POINT version = OnScreen(about, 300, 212);
    Click(version.x, version.y);
    PumpMessages(1000);
    EXPECT_TRUE(RecordedUrls().empty());
    EXPECT_TRUE(::IsWindowVisible(about));
    ClickCloseButton(about);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(about); }));
    EXPECT_TRUE(lumvale.Close());
}

}  // namespace
}  // namespace e2e
