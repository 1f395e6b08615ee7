// Start-up and lifetime of the real program.
#include <gtest/gtest.h>

#include "driver.h"

namespace e2e {
namespace {

const wchar_t kAppDefaults[] = L"Software\\Wine\\AppDefaults\\lumvale.exe";

class Startup : public ::testing::Test {
protected:
    void SetUp() override {
        ReleaseEverything();
        ResetStore();
        MarkSettingsSaved();
        taskbar_ = ::FindWindowW(L"Shell_TrayWnd", nullptr);
    }
    void TearDown() override {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kAppDefaults);
        // Leave the taskbar opaque for the tests that follow.
        ::SetWindowLongW(taskbar_, GWL_EXSTYLE, ::GetWindowLongW(taskbar_, GWL_EXSTYLE) & ~WS_EX_LAYERED);
        ResetStore();
    }
    HWND taskbar_ = nullptr;
};

// Makes Wine report `version` ("nt40", "win98", "win2k", ...) to lumvale.exe.
void ReportWindowsVersion(const wchar_t* version) {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kAppDefaults, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    ::RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                     static_cast<DWORD>((wcslen(version) + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
}

TEST_F(Startup, RefusesSystemsOlderThanWindows2000WithItsOnlyMessage) {
    for (const wchar_t* version : {L"nt40", L"win98"}) {
        ResetStore();
        ReportWindowsVersion(version);
        Process lumvale(L"\"" + LumvaleExePath() + L"\"");
        HWND box = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (box = FindWindowOf(lumvale.id(), L"#32770", true)) != nullptr; }, 15000));
        EXPECT_EQ(TextOf(box), L"Lumvale");
        HWND text = ::GetDlgItem(box, 0xFFFF);
        EXPECT_EQ(TextOf(text), std::wstring(L"抱歉，Lumvale无法在低于win 2k以下的系统运行！") + std::wstring(13, L' '));
        PumpMessages(300);
        Screenshot(L"startup-refused");

        // Nothing else happened: no main window, no splash, no registry access.
        EXPECT_EQ(FindWindowOf(lumvale.id(), L"LumvaleMain"), nullptr);
        EXPECT_EQ(FindWindowOf(lumvale.id(), L"LumvaleAbout"), nullptr);
        EXPECT_FALSE(ProgramKeyExists());

        Activate(box);
        PressChord({VK_RETURN});
        EXPECT_TRUE(lumvale.WaitForExit(5000));
        EXPECT_FALSE(ProgramKeyExists());
    }
}

TEST_F(Startup, RunsOnWindows2000XpAnd10) {
    for (const wchar_t* version : {L"win2k", L"winxp", L"win10"}) {
        ReportWindowsVersion(version);
        WriteValue(L"Temp", L"777", L"2");
        Lumvale lumvale;
        ASSERT_NE(lumvale.mainWindow(), nullptr);
        EXPECT_EQ(TextOf(lumvale.mainWindow()), L"Lumvale");
        EXPECT_TRUE(WaitUntil([&] { return !SectionExists(L"Temp"); }));
        EXPECT_TRUE(lumvale.Close());
    }
}

TEST_F(Startup, StaysResidentHiddenAppliesTheTaskbarAlphaAndEmptiesTheRunRecords) {
    WriteValue(kSettingsSection, L"TBar", L"150");
    WriteValue(L"Temp", L"12345", L"3");
    Lumvale lumvale;
    ASSERT_NE(lumvale.mainWindow(), nullptr);
    EXPECT_EQ(TextOf(lumvale.mainWindow()), L"Lumvale");
    EXPECT_FALSE(::IsWindowVisible(lumvale.mainWindow()));
    EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(taskbar_) == 150; }));
    EXPECT_TRUE(WaitUntil([&] { return !SectionExists(L"Temp"); }));

    // After exit the taskbar keeps its alpha and the run records are gone.
    WriteValue(L"Temp", L"12345", L"3");
    EXPECT_TRUE(lumvale.Close());
    EXPECT_EQ(LayeredAlpha(taskbar_), 150);
    EXPECT_FALSE(SectionExists(L"Temp"));
}

TEST_F(Startup, StoredTaskbarAlphasAreClampedAndAnOpaqueOneRemovesTheLayering) {
    const std::pair<const wchar_t*, int> cases[] = {
        {L"50", 105}, {L"300", -1}, {L"abc", 105}, {L"200", 200}, {nullptr, -1}};
    for (const auto& [stored, alpha] : cases) {
        ::SetWindowLongW(taskbar_, GWL_EXSTYLE, ::GetWindowLongW(taskbar_, GWL_EXSTYLE) | WS_EX_LAYERED);
        ::SetLayeredWindowAttributes(taskbar_, 0, 170, LWA_ALPHA);
        ResetStore();
        MarkSettingsSaved();
        if (stored) WriteValue(kSettingsSection, L"TBar", stored);
        Lumvale lumvale;
        EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(taskbar_) == alpha; })) << alpha;
        EXPECT_TRUE(lumvale.Close());
    }
}

TEST_F(Startup, JunkInEveryKeyIsReadWithoutHarm) {
    // Flags and indexes that do not convert keep their start values (off);
    // a taskbar alpha that does not convert gives the most transparent one.
    for (const std::wstring& junk : {std::wstring(L"not a number"), std::wstring(L"1e10"), std::wstring(L"-99999"),
                                     std::wstring(5000, L'7')}) {
        for (const wchar_t* key : {L"提示：     ", L"Beep", L"RC", L"KS", L"TBar"}) WriteValue(kSettingsSection, key, junk);
        Lumvale lumvale;
        ASSERT_NE(lumvale.mainWindow(), nullptr);
        EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(taskbar_) == 105; }));
        // Hot-keys and the popup trigger are off.
        TargetWindow target;
        PressChord({VK_CONTROL, VK_SHIFT, '3'});
        const RECT box = WindowRectOf(target.get());
        Click(box.left + 100, box.top + 100, true);
        PumpMessages(300);
        EXPECT_EQ(LayeredAlpha(target.get()), -1);
        EXPECT_EQ(FindWindowOf(lumvale.process().id(), L"LumvalePopup", true), nullptr);
        EXPECT_TRUE(lumvale.process().Running());
        EXPECT_TRUE(lumvale.Close());
    }
}

TEST_F(Startup, AFreshStartReadsTheDefaultsAndWritesNothing) {
    ResetStore();
    Lumvale lumvale;
    ASSERT_NE(lumvale.mainWindow(), nullptr);
    PumpMessages(1000);
    EXPECT_FALSE(ProgramKeyExists());
    EXPECT_EQ(LayeredAlpha(taskbar_), -1);
    lumvale.process().Terminate();
}

// The shipped file names itself 0.9.5 and asks to run as the user who starts
// it, so that Windows never redirects its writes to the Run key.
TEST_F(Startup, TheProgramFileCarriesItsVersionAndRunsAsInvoker) {
    const std::wstring exe = LumvaleExePath();
    DWORD unused = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(exe.c_str(), &unused);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(::GetFileVersionInfoW(exe.c_str(), 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(9, 0)));
    EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, 5)));
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
    for (const wchar_t* name : {L"FileVersion", L"ProductVersion"}) {
        const std::wstring query = std::wstring(L"\\StringFileInfo\\080404b0\\") + name;
        wchar_t* text = nullptr;
        ASSERT_TRUE(::VerQueryValueW(info.data(), query.c_str(), reinterpret_cast<void**>(&text), &length)) << name;
        EXPECT_STREQ(text, L"0.9.5") << name;
    }

    HMODULE module = ::LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
    const char* bytes = resource ? static_cast<const char*>(::LockResource(::LoadResource(module, resource))) : nullptr;
    const std::string manifest = bytes ? std::string(bytes, ::SizeofResource(module, resource)) : std::string();
    ::FreeLibrary(module);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos) << manifest;
    EXPECT_NE(manifest.find("version=\"0.9.5.0\""), std::string::npos) << manifest;
}

}  // namespace
}  // namespace e2e
