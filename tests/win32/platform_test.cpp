// The real platform layer: registry, layered windows, window identification.
#include <windows.h>

#include <gtest/gtest.h>

#include "store/settings.h"
#include "glass/glass.h"
#include "platform/win32_handles.h"
#include "platform/scoped.h"
#include "platform/win32_platform.h"
#include "popup/window_info.h"
#include "win32_test_util.h"

namespace lumvale {
namespace {

using win32test::LayeredAlpha;
using win32test::TestWindow;

class RealPlatformTest : public ::testing::Test {
protected:
    void SetUp() override { win32test::DeleteProgramKey(); }
    void TearDown() override { win32test::DeleteProgramKey(); }

    static std::wstring RawValue(const wchar_t* subkey, const wchar_t* name, DWORD* type = nullptr) {
        wchar_t buffer[512] = {};
        DWORD bytes = sizeof(buffer) - sizeof(wchar_t);
        DWORD valueType = 0;
        HKEY key = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS) return L"<no key>";
        const LONG status = ::RegQueryValueExW(key, name, nullptr, &valueType, reinterpret_cast<BYTE*>(buffer), &bytes);
        ::RegCloseKey(key);
        if (type) *type = valueType;
        return status == ERROR_SUCCESS ? std::wstring(buffer) : L"<no value>";
    }

    Win32Platform platform;
    SettingsStore store{platform};
    Glass glass{platform, store};
};

TEST_F(RealPlatformTest, StoreKeepsTheUnicodeNamesAsTextValues) {
    Settings settings{true, false, 3, 7};
    SaveSettings(store, settings);
    DWORD type = 0;
    EXPECT_EQ(RawValue(L"Software\\Lumvale\\软件设置    ", L"提示：     ", &type), L"1");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(RawValue(L"Software\\Lumvale\\软件设置    ", L"KS"), L"7");
    EXPECT_EQ(RawValue(L"Software\\Lumvale\\软件设置", L"KS"), L"<no key>");

    Settings loaded;
    LoadSettings(store, loaded, glass);
    EXPECT_TRUE(loaded.RememberOn);
    EXPECT_EQ(loaded.PopupKeys, 3);
    EXPECT_EQ(loaded.HotKeys, 7);

    store.WriteSetting(L"Temp", L"65572a", L"1");
    EXPECT_EQ(store.ReadSetting(L"Temp", L"65572a", L""), L"1");
    store.DeleteSection(L"Temp");
    EXPECT_EQ(RawValue(L"Software\\Lumvale\\Temp", L"65572a"), L"<no key>");
    EXPECT_EQ(store.ReadSetting(L"Temp", L"65572a", L"-2"), L"-2");
}

TEST_F(RealPlatformTest, BadStoredValuesReadSafely) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Lumvale\\软件设置    ", 0, nullptr, 0,
                                KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
    const DWORD number = 3;
    ::RegSetValueExW(key, L"KS", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
    // A text without its terminating NUL, and a long one.
    const wchar_t unterminated[] = {L'4', L'2'};
    ::RegSetValueExW(key, L"RC", 0, REG_SZ, reinterpret_cast<const BYTE*>(unterminated), sizeof(unterminated));
    const std::wstring long_text(200000, L'5');
    ::RegSetValueExW(key, L"TBar", 0, REG_SZ, reinterpret_cast<const BYTE*>(long_text.c_str()),
                     static_cast<DWORD>((long_text.size() + 1) * 2));
    ::RegCloseKey(key);

    EXPECT_EQ(store.ReadSetting(L"软件设置    ", L"KS", L"6"), L"6");
    EXPECT_EQ(store.ReadSetting(L"软件设置    ", L"RC", L"1"), L"42");
    EXPECT_EQ(store.ReadSetting(L"软件设置    ", L"TBar", L"255"), long_text);

    // A limited read reports the longer value and hands back what fits.
    ScopedRegKey open(platform, platform.RegOpenKey(RegRoot::CurrentUser, L"Software\\Lumvale\\软件设置    "));
    std::wstring text;
    EXPECT_EQ(platform.RegQueryValueEx(open.get(), L"TBar", text, 2048), RegQueryResult::MoreData);
    EXPECT_EQ(text, std::wstring(1023, L'5'));
}

// The real platform, counting full-screen repaints.
class CountingRepaints : public Win32Platform {
public:
    void RedrawWindowScreen(int width, int height) override {
        ++repaints;
        Win32Platform::RedrawWindowScreen(width, height);
    }
    int repaints = 0;
};

TEST_F(RealPlatformTest, GlassLevelsOnRealWindows) {
    CountingRepaints counting;
    SettingsStore quietStore(counting);
    quietStore.WriteSetting(store_names::kSettings, store_names::kBeep, L"0");
    Glass levels(counting, quietStore);
    TestWindow window;
    const Hwnd handle = FromHwnd(window.get());
    levels.SetGlassLevel(handle, 1);
    EXPECT_EQ(LayeredAlpha(window.get()), 120);
    levels.SetGlassLevel(handle, 9);
    EXPECT_EQ(LayeredAlpha(window.get()), 240);
    // Opaque levels remove the style, also from a window that layered itself.
    for (std::int16_t level : {0, -1, 10}) {
        ::SetWindowLongW(window.get(), GWL_EXSTYLE, ::GetWindowLongW(window.get(), GWL_EXSTYLE) | WS_EX_LAYERED);
        ::SetLayeredWindowAttributes(window.get(), 0, 99, LWA_ALPHA);
        levels.SetGlassLevel(handle, level);
        EXPECT_EQ(LayeredAlpha(window.get()), -1) << level;
    }
    EXPECT_EQ(counting.repaints, 3);
    // Opaque on a window that is not layered changes and repaints nothing.
    const LONG style = ::GetWindowLongW(window.get(), GWL_EXSTYLE);
    levels.SetWindowAlpha(handle, 255);
    EXPECT_EQ(::GetWindowLongW(window.get(), GWL_EXSTYLE), style);
    EXPECT_EQ(counting.repaints, 3);
}

TEST_F(RealPlatformTest, LayeredWindowsGetTheAlphaAndLoseTheStyleWhenOpaque) {
    TestWindow window;
    const Hwnd handle = FromHwnd(window.get());
    glass.SetWindowAlpha(handle, 150);
    EXPECT_EQ(LayeredAlpha(window.get()), 150);
    glass.SetWindowAlpha(handle, 200);
    EXPECT_EQ(LayeredAlpha(window.get()), 200);
    glass.SetGlassLevel(handle, 0);
    EXPECT_EQ(LayeredAlpha(window.get()), -1);
    glass.SetGlassLevel(handle, 9);
    EXPECT_EQ(LayeredAlpha(window.get()), 240);
    glass.SetGlassLevel(handle, 10);
    EXPECT_EQ(LayeredAlpha(window.get()), -1);
    // A destroyed window: nothing happens, nothing breaks.
    HWND gone = nullptr;
    {
        TestWindow brief;
        gone = brief.get();
    }
    glass.SetGlassLevel(FromHwnd(gone), 3);
    EXPECT_FALSE(::IsWindow(gone));
}

TEST_F(RealPlatformTest, WindowsAreNamedByExecutableAndTopLevelClass) {
    WindowInfo info(platform, /*cacheExeNames=*/false);
    TestWindow main(L"main window");
    // An owned pop-up (as a dialog box is) names its owner's class and title.
    TestWindow owned(L"owned popup", main.get(), WS_POPUP | WS_CAPTION);
    const Hwnd mainHandle = FromHwnd(main.get());
    const Hwnd ownedHandle = FromHwnd(owned.get());

    EXPECT_EQ(info.TopLevelWindow(ownedHandle), mainHandle);
    EXPECT_EQ(info.TopLevelWindow(mainHandle), mainHandle);
    EXPECT_EQ(info.WindowClass(ownedHandle), L"LumvaleTestWindow");
    EXPECT_EQ(info.WindowTitle(ownedHandle), L"main window");
    EXPECT_EQ(info.ExeName(ownedHandle), L"win32_tests.exe");
    EXPECT_EQ(info.WindowIdentity(ownedHandle), L"win32_tests.exeLumvaleTestWindow");

    const std::wstring longTitle(300, L'题');
    ::SetWindowTextW(main.get(), longTitle.c_str());
    EXPECT_EQ(info.WindowTitle(mainHandle), longTitle.substr(0, 255));

    HWND gone = nullptr;
    {
        TestWindow brief;
        gone = brief.get();
    }
    EXPECT_EQ(info.WindowIdentity(FromHwnd(gone)), L"");
    EXPECT_EQ(info.WindowTitle(FromHwnd(gone)), L"");
}

TEST_F(RealPlatformTest, AnotherProgramIsNamedByItsExecutableAndItsMainWindowsClass) {
    // editor.exe, built beside the tests, shows an EditorMain window and a
    // dialog it owns.
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring command(path);
    command = L"\"" + command.substr(0, command.find_last_of(L'\\')) + L"\\editor.exe\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &process));
    HWND dialog = nullptr;
    for (int i = 0; i < 300 && !dialog; ++i) {
        ::Sleep(20);
        dialog = ::FindWindowW(L"#32770", L"Save as");
    }
    ASSERT_NE(dialog, nullptr);
    WindowInfo info(platform);
    EXPECT_EQ(info.WindowIdentity(FromHwnd(::FindWindowW(L"EditorMain", nullptr))), L"editor.exeEditorMain");
    EXPECT_EQ(info.WindowIdentity(FromHwnd(dialog)), L"editor.exeEditorMain");
    EXPECT_EQ(info.WindowTitle(FromHwnd(dialog)), L"notes.txt - Editor");
    EXPECT_EQ(info.ExeName(FromHwnd(dialog)), L"editor.exe");
    ::TerminateProcess(process.hProcess, 0);
    ::WaitForSingleObject(process.hProcess, 5000);
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
}

TEST_F(RealPlatformTest, TheTaskbarOfTheShellIsFound) {
    EXPECT_NE(glass.FindTaskbar(), 0);
    EXPECT_EQ(glass.FindTaskbar(), FromHwnd(::FindWindowW(L"Shell_TrayWnd", nullptr)));
}

}  // namespace
}  // namespace lumvale
