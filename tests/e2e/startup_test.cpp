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

// A restarted shell has lost every icon and the taskbar's opacity, and
// announces a new taskbar. Wine's shell cannot restart in a session: the
// taskbar is made opaque by hand, and the icon's code runs on a driver
// window whose icon is removed by hand.
TEST_F(Startup, ANewTaskbarGetsTheIconAndTheStoredOpacityBack) {
    const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    SetSetting(L"TBar", L"150");
    {
        Lumvale lumvale;
        ASSERT_TRUE(WaitUntil([] { return Alpha(Taskbar()) == 150; }));
        ::SetWindowLongW(Taskbar(), GWL_EXSTYLE, ::GetWindowLongW(Taskbar(), GWL_EXSTYLE) & ~WS_EX_LAYERED);
        ::SendMessageW(lumvale.main(), taskbarCreated, 0, 0);
        EXPECT_TRUE(WaitUntil([] { return Alpha(Taskbar()) == 150; }));
        EXPECT_TRUE(lumvale.Exit());
    }
    const HWND owner = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    const HICON icon = ::ExtractIconW(nullptr, (ExeDirectory() + L"\\lumvale.exe").c_str(), 0);
    lumvale::AddTrayIcon(owner, 7, icon, L"Lumvale", nullptr);
    ASSERT_TRUE(WaitUntil([] { return TrayIcon().has_value(); }));
    NOTIFYICONDATAW record{NOTIFYICONDATAW_V1_SIZE, owner, 7};
    ::Shell_NotifyIconW(NIM_DELETE, &record);
    ASSERT_TRUE(WaitUntil([] { return !TrayIcon(); }));
    ::SendMessageW(owner, taskbarCreated, 0, 0);
    EXPECT_TRUE(WaitUntil([] { return TrayIcon().has_value(); }));
    lumvale::RemoveTrayIcon();
    ::DestroyWindow(owner);
    ::DestroyIcon(icon);
}

// Started from a folder with a blank in its name, among DLLs that anyone
// could have put there: none is loaded by anything Lumvale does (those that
// Wine's own DLLs load as the process starts, before any of Lumvale's code,
// leave no mark).
TEST_F(Startup, FromAFolderOfPlantedDllsItLoadsNoneAndStartsWithWindowsQuoted) {
    const wchar_t* const planted[] = {L"comctl32", L"shcore",   L"uxtheme", L"dwmapi",  L"apphelp",   L"propsys",
                                      L"linkinfo", L"ntshrui",  L"version", L"profapi", L"cryptbase", L"iertutil"};
    const std::wstring folder = ExeDirectory() + L"\\planted dlls", exe = folder + L"\\lumvale.exe";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    ::CopyFileW((ExeDirectory() + L"\\lumvale.exe").c_str(), exe.c_str(), FALSE);
    const auto marks = [&](const wchar_t* name) {
        std::vector<std::wstring> found;
        for (const wchar_t* mark : {L".dll.loaded", L".dll.called"})
            if (::GetFileAttributesW((folder + L"\\" + name + mark).c_str()) != INVALID_FILE_ATTRIBUTES)
                found.push_back(name + std::wstring(mark));
        return found;
    };
    for (const wchar_t* name : planted) {
        ::CopyFileW((ExeDirectory() + L"\\marker_dll.dll").c_str(), (folder + L"\\" + name + L".dll").c_str(), FALSE);
        for (const std::wstring& mark : marks(name)) ::DeleteFileW((folder + L"\\" + mark).c_str());
    }
    RecordUrls();
    DeleteValue(Section(kSettings), kRemember);  // a first run
    SetSetting(L"Beep", L"1");
    // Ctrl + Shift + 3 held on a window that takes its time to answer: the
    // splash closes, and the first-run dialog opens, in the middle of a beep.
    Target target;
    target.AnswerAfter(150);
    for (const WORD key : std::vector<WORD>{VK_CONTROL, VK_SHIFT, '3'}) Key(key, true);
    Lumvale lumvale(exe, folder.c_str());
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (dialog = lumvale.Window(L"LumvaleSettings")) != nullptr; }));
    ReleaseEverything();
    target.AnswerAfter(0);
    EXPECT_EQ(Alpha(target.get()), 150);
    Activate(target.get());
    Chord({VK_CONTROL, VK_SHIFT, '5'});
    EXPECT_TRUE(WaitUntil([&] { return Alpha(target.get()) == 180; }, 2000)) << "the keys work while it is open";
    Click(Child(dialog, L"Button", L"随 WINDOWS 启动时自动启动 Lumvale           "));
    Click(Child(dialog, L"Button", L"保存 "));
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));
    EXPECT_EQ(Read(kRunKey, L"Lumvale", HKEY_LOCAL_MACHINE), L"\"" + exe + L"\"");

    // A popup choice, the help page, the about box, Exit.
    Activate(target.get());
    Click({RectOf(target.get()).left + 8, RectOf(target.get()).top + 200}, true);
    HWND popup = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (popup = lumvale.Window(L"LumvalePopup")) != nullptr; }));
    Pump(300);
    Click(Item(popup, 1));
    EXPECT_TRUE(WaitUntil([&] { return Alpha(target.get()) == 135; }));
    lumvale.FromTray(2);
    EXPECT_TRUE(WaitUntil([] { return !RecordedUrls().empty(); }, 10000));
    const HWND about = lumvale.FromTray(3, L"LumvaleAbout");
    ASSERT_NE(about, nullptr);
    Click(Child(about, L"Button", L"X"));
    EXPECT_TRUE(lumvale.Exit());
    for (const wchar_t* name : planted) EXPECT_EQ(marks(name), std::vector<std::wstring>{}) << "from the program's folder";
}

}  // namespace
}  // namespace e2e
