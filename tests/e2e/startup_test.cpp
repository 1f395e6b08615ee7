// Start-up, the splash, the first run, the tray icon and Exit.
#include "driver.h"

#include "tray/tray_icon.h"

namespace e2e {
namespace {

using Startup = Scenario;

TEST_F(Startup, OlderSystemsThanWindows2000GetTheMessageAndNothingElse) {
    Delete(kProgramKey);
    Write(kAppDefaults, L"Version", L"win98");
    Process lumvale(L"\"" + ExeDirectory() + L"\\lumvale.exe\"");
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = WindowOf(lumvale.id(), L"#32770")) != nullptr; }, 15000));
    EXPECT_EQ(TextOf(::GetDlgItem(box, 0xFFFF)), L"抱歉，Lumvale无法在低于win 2k以下的系统运行！" + std::wstring(13, L' '));
    EXPECT_EQ(WindowOf(lumvale.id(), L"LumvaleMain", false), nullptr);
    Screenshot(L"refused");
    Activate(box);
    Chord({VK_RETURN});
    EXPECT_TRUE(lumvale.Ended());
    EXPECT_FALSE(Exists(kProgramKey)) << "the store is neither read nor written";
}

TEST_F(Startup, FromWindows2000OnItStaysInTheTrayWithTheStoredTaskbarAlphaUntilExit) {
    const std::tuple<const wchar_t*, const wchar_t*, int> runs[] = {
        {L"win2k", L"50", 105}, {L"winxp", L"300", 255}, {L"win10", L"abc", 105}};
    for (const auto& [version, stored, alpha] : runs) {
        Write(kAppDefaults, L"Version", version);
        SetSetting(L"TBar", stored);
        Write(Section(L"Temp"), L"4242", L"3");
        ASSERT_FALSE(TrayIcon()) << "an icon is left from before";
        Lumvale lumvale;
        EXPECT_FALSE(::IsWindowVisible(lumvale.main()));
        EXPECT_TRUE(WaitUntil([&] { return TrayIcon().has_value(); }));
        EXPECT_EQ(Alpha(Taskbar()), alpha) << stored;
        EXPECT_FALSE(Exists(Section(L"Temp"))) << "the last run's records are gone";
        Write(Section(L"Temp"), L"4242", L"3");
        lumvale.FromTray(-1, nullptr, true);  // Exit, as a user does
        EXPECT_TRUE(lumvale.Ended());
        EXPECT_TRUE(WaitUntil([&] { return !TrayIcon(); }));
        EXPECT_FALSE(Exists(Section(L"Temp")));
        EXPECT_EQ(Alpha(Taskbar()), alpha) << "what it changed stays";
    }
}

TEST_F(Startup, TheSplashClosesItselfAndOpensTheSettingsUntilTheyAreSaved) {
    DeleteValue(Section(kSettings), kRemember);
    for (const wchar_t* button : {L"取消   ", L"保存 ", L""}) {
        Process lumvale(L"\"" + ExeDirectory() + L"\\lumvale.exe\"");
        HWND splash = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (splash = WindowOf(lumvale.id(), L"LumvaleAbout")) != nullptr; }, 15000));
        const DWORD shown = ::GetTickCount();
        EXPECT_TRUE(Topmost(splash));
        EXPECT_EQ(Alpha(splash), 240);
        EXPECT_FALSE(::IsWindowVisible(Child(splash, L"LumvaleFrame"))) << "no close button";
        if (*button) Screenshot(L"splash");
        ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(splash); }));
        EXPECT_GE(::GetTickCount() - shown, 1000u) << "shown for about 1.5 s";
        HWND dialog = nullptr;
        const bool opened = WaitUntil([&] { return (dialog = WindowOf(lumvale.id(), L"LumvaleSettings")) != nullptr; },
                                      *button ? 5000 : 1500);
        ASSERT_EQ(opened, *button != 0) << "the first run lasts until the settings are saved";
        if (opened) {
            Click(Child(dialog, L"Button", button));
            EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));
        }
        ::PostMessageW(WindowOf(lumvale.id(), L"LumvaleMain", false), WM_CLOSE, 0, 0);
        EXPECT_TRUE(lumvale.Ended());
    }
    EXPECT_EQ(Setting(kRemember), L"0");
}

// A restarted shell has lost every icon and announces a new taskbar. Wine's
// shell cannot restart in a session: the icon's code runs on a driver window.
TEST_F(Startup, ANewTaskbarGetsTheIconBack) {
    const HWND owner = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    const HICON icon = ::ExtractIconW(nullptr, (ExeDirectory() + L"\\lumvale.exe").c_str(), 0);
    lumvale::AddTrayIcon(owner, 7, icon, L"Lumvale", nullptr);
    ASSERT_TRUE(WaitUntil([] { return TrayIcon().has_value(); }));
    NOTIFYICONDATAW record{NOTIFYICONDATAW_V1_SIZE, owner, 7};
    ::Shell_NotifyIconW(NIM_DELETE, &record);
    ASSERT_TRUE(WaitUntil([] { return !TrayIcon(); }));
    ::SendMessageW(owner, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitUntil([] { return TrayIcon().has_value(); }));
    lumvale::RemoveTrayIcon();
    ::DestroyWindow(owner);
    ::DestroyIcon(icon);
}

}  // namespace
}  // namespace e2e
