// The released exe, unpacked from its zip by release_smoke.sh into a folder
// of its own: it starts from there, sits in the tray and exits cleanly.
#include <gtest/gtest.h>

#include <cwctype>
#include <cstdlib>

#include "driver.h"

namespace e2e {
namespace {

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

TEST(Release, TheExeFromTheZipRunsFromItsFolderAndExitsCleanly) {
    const wchar_t* exe = _wgetenv(L"LUMVALE_RELEASE_EXE");
    ASSERT_NE(exe, nullptr) << "run through tests/e2e/release_smoke.sh, which unpacks the zip";
    ReleaseEverything();
    ResetStore();
    MarkSettingsSaved();
    ASSERT_FALSE(FindLumvaleTrayIcon()) << "an icon is left from before";
    // Started from another folder than its own.
    ASSERT_TRUE(::SetCurrentDirectoryW(L"C:\\"));

    Lumvale lumvale(exe);
    ASSERT_NE(lumvale.mainWindow(), nullptr);
    wchar_t image[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    ASSERT_TRUE(::QueryFullProcessImageNameW(lumvale.process().handle(), 0, image, &size));
    EXPECT_EQ(Lower(image), Lower(exe));
    EXPECT_TRUE(WaitUntil([&] { return FindLumvaleTrayIcon().has_value(); }));

    EXPECT_TRUE(lumvale.Close());
    DWORD exitCode = 1;
    ::GetExitCodeProcess(lumvale.process().handle(), &exitCode);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(WaitUntil([&] { return !FindLumvaleTrayIcon(); }));
    EXPECT_FALSE(SectionExists(L"Temp"));
    ResetStore();
}

}  // namespace
}  // namespace e2e
