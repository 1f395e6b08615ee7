// Start-up, the splash, the first run, the tray icon and Exit.
#include "driver.h"

#include <memory>

namespace e2e {
namespace {

using Startup = Scenario;

TEST_F(Startup, FromWindows2000OnItStaysInTheTrayWithTheStoredTaskbarAlphaUntilExit) {
    const std::tuple<const wchar_t*, const wchar_t*, int> runs[] = {{L"win2k", L"50", 105}, {L"win10", L"300", 255}};
    for (const auto& [version, stored, alpha] : runs) {
        Write(kAppDefaults, L"Version", version);
        SetSetting(L"TBar", stored);
        Write(Section(L"Temp"), L"4242", L"3");
        ASSERT_FALSE(TrayIcon()) << "an icon is left from before";
        // The first time a shell slow at log-on refuses the icon until asked twice, and announces nothing once ready.
        const bool windows2000 = std::wstring(version) == L"win2k";
        auto slowShell = windows2000 ? std::make_unique<FakeTray>(FakeTray::kRefuse) : nullptr;
        Target second(L"", {0, 0, 400, 28}, WS_POPUP, L"Shell_SecondaryTrayWnd");  // another monitor's
        // Windows 2000 has no raw input and cannot limit the DLL search. (32-bit
        // Wine fails to start a program under a debugger: the x86 tier keeps them.)
        const Missing missing = windows2000 && sizeof(void*) == 8 ? Missing{{L"user32.dll", "RegisterRawInputDevices"},
                                                                            {L"kernel32.dll", "SetDefaultDllDirectories"}}
                                                                  : Missing{};
        Lumvale lumvale(missing);
        EXPECT_FALSE(::IsWindowVisible(lumvale.main()));
        if (slowShell) EXPECT_TRUE(WaitUntil([&] { return slowShell->Carried(L"Lumvale") >= 2; }));
        slowShell.reset();
        EXPECT_TRUE(WaitUntil([&] { return TrayIcon().has_value(); })) << "asked for again";
        Target third(L"", {400, 0, 800, 28}, WS_POPUP, L"Shell_SecondaryTrayWnd");  // a monitor plugged in
        EXPECT_TRUE(WaitUntil([&] {
            return Alpha(Taskbar()) == alpha && Alpha(second.get()) == alpha && Alpha(third.get()) == alpha;
        })) << stored;
        // A restarted shell announces a new taskbar, opaque, without the icon (Wine's is made opaque by hand).
        ::SetWindowLongW(Taskbar(), GWL_EXSTYLE, ::GetWindowLongW(Taskbar(), GWL_EXSTYLE) & ~WS_EX_LAYERED);
        ::SendMessageW(lumvale.main(), ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return Alpha(Taskbar()) == alpha; })) << stored;
        EXPECT_FALSE(Exists(Section(L"Temp"))) << "the last run's records are gone";
        // Two seconds without input, and a hot-key acts: woken by raw input, or where there is none, never asleep
        // (asleep, its main thread woke 15 to 36 times a second here, under Wine 10 and 8; polling, 97 and 143).
        Target target;
        const std::wstring exe = ExeDirectory() + L"\\lumvale.exe";
        Pump(700);
        const long woke = WakeUps(exe);
        Pump(1300);
        const long rate = (WakeUps(exe) - woke) * 1000 / 1300;
        EXPECT_TRUE(woke > 0 && (rate < 60) == missing.empty()) << woke << " wake-ups, then " << rate << " a second, " << version;
        Chord({VK_CONTROL, VK_SHIFT, '3'});
        EXPECT_TRUE(WaitUntil([&] { return Alpha(target.get()) == 150; }, 1000)) << version;
        Write(Section(L"Temp"), L"4242", L"3");
        lumvale.FromTray(-1, nullptr, true);  // Exit, as a user does
        EXPECT_TRUE(lumvale.Ended());
        EXPECT_TRUE(WaitUntil([&] { return !TrayIcon(); }));
        EXPECT_FALSE(Exists(Section(L"Temp")));
        EXPECT_EQ(Alpha(Taskbar()), alpha) << "what it changed stays";
    }
}

// The first runs, from a folder with a blank in its name among planted DLLs:
// none is loaded by anything Lumvale does (Wine's own loads at start leave no mark).
TEST_F(Startup, TheSplashOpensTheSettingsUntilTheyAreSavedAndNoPlantedDllIsLoaded) {
    // A name that no code page holds: the Run key gets it whole.
    const std::wstring folder = ExeDirectory() + L"\\planted ✓☃ dlls\\", exe = folder + L"lumvale.exe";
    const std::wstring planted[] = {L"comctl32", L"shcore",  L"uxtheme", L"dwmapi",  L"apphelp",   L"propsys",
                                    L"linkinfo", L"ntshrui", L"version", L"profapi", L"cryptbase", L"iertutil"};
    ::CreateDirectoryW(folder.c_str(), nullptr);
    ::CopyFileW((ExeDirectory() + L"\\lumvale.exe").c_str(), exe.c_str(), FALSE);
    for (const std::wstring& name : planted) {
        ::CopyFileW((ExeDirectory() + L"\\marker_dll.dll").c_str(), (folder + name + L".dll").c_str(), FALSE);
        for (const wchar_t* mark : {L".dll.loaded", L".dll.called"}) ::DeleteFileW((folder + name + mark).c_str());
    }
    DeleteValue(Section(kSettings), kRemember);
    SetSetting(L"Beep", L"1");
    Target target;
    for (const std::wstring button : {L"取消   ", L"保存 ", L""}) {
        // The first time Ctrl + Shift + 3 is held on a window slow to answer:
        // the splash closes, and the dialog opens, in the middle of a beep.
        const bool held = button == L"取消   ";
        target.AnswerAfter(held ? 150 : 0);
        for (const WORD key : std::vector<WORD>{VK_CONTROL, VK_SHIFT, '3'}) Key(key, held);
        // The last time as on a system without SetDefaultDllDirectories (before 8, 7 without its update).
        Process lumvale(L"\"" + exe + L"\"", folder.c_str(),
                        button.empty() ? Missing{{L"kernel32.dll", "SetDefaultDllDirectories"}} : Missing{});
        const HWND splash = lumvale.Await(L"LumvaleAbout", 15000);
        ASSERT_NE(splash, nullptr);
        const DWORD shown = ::GetTickCount();
        EXPECT_TRUE(Topmost(splash) && Alpha(splash) == 240);
        EXPECT_FALSE(::IsWindowVisible(Child(splash, L"LumvaleFrame"))) << "no close button";
        if (held) Screenshot(L"splash");
        ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(splash); }));
        EXPECT_GE(::GetTickCount() - shown, 1000u) << "shown for about 1.5 s";
        const HWND dialog = lumvale.Await(L"LumvaleSettings", button.empty() ? 1500 : 5000);
        ASSERT_EQ(dialog != nullptr, !button.empty()) << "the first run lasts until the settings are saved";
        ReleaseEverything();
        if (held) {
            EXPECT_EQ(Alpha(target.get()), 150);
            Activate(target.get());
            Chord({VK_CONTROL, VK_SHIFT, '5'});
            EXPECT_TRUE(WaitUntil([&] { return Alpha(target.get()) == 180; }, 2000)) << "the keys work meanwhile";
        }
        if (dialog) {
            if (!held) Click(Child(dialog, L"Button", L"随 WINDOWS 启动时自动启动 Lumvale           "));
            Click(Child(dialog, L"Button", button));
            EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));
        } else {  // a popup choice and the about box
            Click(Item(lumvale.Popup(target.get(), Inside(target.get())), 1));
            EXPECT_TRUE(WaitUntil([&] { return Alpha(target.get()) == 135; }));
            Click(Child(lumvale.FromTray(4, L"LumvaleAbout"), L"Button", L"X"));
        }
        ::PostMessageW(WindowOf(lumvale.id(), L"LumvaleMain", false), WM_CLOSE, 0, 0);
        EXPECT_TRUE(lumvale.Ended());
    }
    EXPECT_EQ(Setting(kRemember), L"0");
    EXPECT_EQ(Read(kRunKey, L"Lumvale", HKEY_LOCAL_MACHINE), L"\"" + exe + L"\"") << "quoted: its path holds a blank";
    for (const std::wstring& name : planted)
        for (const wchar_t* mark : {L".dll.loaded", L".dll.called"})
            EXPECT_EQ(::GetFileAttributesW((folder + name + mark).c_str()), INVALID_FILE_ATTRIBUTES) << name << mark;
}

}  // namespace
}  // namespace e2e
