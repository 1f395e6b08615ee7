#include "popup/window_info.h"

#include <gtest/gtest.h>

#include "fake/fake_platform.h"

namespace lumvale {
namespace {

class WindowInfoTest : public ::testing::Test {
protected:
    WindowInfoTest() {
        fake.AddProcess(4, L"System");
        fake.AddProcess(100, L"editor.exe");
        fake.AddProcess(200, L"其他程序.exe");
        main = fake.AddWindow({L"EditorMain", L"notes.txt - Editor", 0, 100, 101});
        dialog = fake.AddWindow({L"#32770", L"Save as", main, 100, 101});
        child = fake.AddWindow({L"Edit", L"", dialog, 100, 101});
    }

    fake::FakePlatform fake;
    WindowInfo uncached{fake, false};
    Hwnd main = 0, dialog = 0, child = 0;
};

TEST_F(WindowInfoTest, ClimbsToTheOutermostWindowForClassAndTitle) {
    EXPECT_EQ(uncached.TopLevelWindow(main), main);
    EXPECT_EQ(uncached.TopLevelWindow(child), main);
    EXPECT_EQ(uncached.WindowClass(dialog), L"EditorMain");
    EXPECT_EQ(uncached.WindowTitle(child), L"notes.txt - Editor");
    EXPECT_EQ(uncached.ExeName(dialog), L"editor.exe");
    // No separator, no change of case.
    EXPECT_EQ(uncached.WindowIdentity(child), L"editor.exeEditorMain");
}

TEST_F(WindowInfoTest, TextsAreCutToTheBufferAndFailuresGiveEmptyTexts) {
    fake.Window(main).title = std::wstring(300, L'x');
    EXPECT_EQ(uncached.WindowTitle(main), std::wstring(255, L'x'));
    fake.Window(main).title.clear();
    EXPECT_EQ(uncached.WindowTitle(main), L"");

    fake.DestroyWindow(main);
    EXPECT_EQ(uncached.WindowClass(main), L"");
    EXPECT_EQ(uncached.ExeName(main), L"");
    EXPECT_EQ(uncached.WindowIdentity(main), L"");

    // A process the snapshot does not list: the identity is the class alone.
    const Hwnd orphan = fake.AddWindow({L"Orphan", L"", 0, 999, 1000});
    EXPECT_EQ(uncached.WindowIdentity(orphan), L"Orphan");
    // A name that fills its field without a terminator is no name.
    fake.AddProcessWithoutTerminator(999, L'a');
    EXPECT_EQ(uncached.ExeName(orphan), L"");
    const Hwnd other = fake.AddWindow({L"Other", L"", 0, 200, 201});
    EXPECT_EQ(uncached.WindowIdentity(other), L"其他程序.exeOther");
    EXPECT_EQ(fake.openSnapshots, 0);
}

TEST_F(WindowInfoTest, ASnapshotThatCannotBeTakenGivesAnEmptyName) {
    fake.failSnapshot = true;
    EXPECT_EQ(uncached.ExeName(main), L"");
    EXPECT_EQ(uncached.WindowIdentity(main), L"EditorMain");
}

TEST_F(WindowInfoTest, TheCacheCostsOneSnapshotPerWindowAndIsNeverStale) {
    WindowInfo cached(fake);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(cached.WindowIdentity(main), L"editor.exeEditorMain");
    EXPECT_EQ(fake.snapshotsTaken, 1);
    // The ids are asked for on every lookup.
    EXPECT_EQ(fake.CountCalls("GetWindowThreadProcessId"), 100);

    // The handle now belongs to a window of another program.
    fake.Window(main).processId = 200;
    fake.Window(main).threadId = 201;
    EXPECT_EQ(cached.ExeName(main), L"其他程序.exe");
    // The same program's process gone and its id given to another program:
    // the thread differs too, so the name is looked up again.
    fake.RemoveProcess(100);
    fake.AddProcess(100, L"newcomer.exe");
    fake.Window(main).processId = 100;
    fake.Window(main).threadId = 777;
    EXPECT_EQ(cached.ExeName(main), L"newcomer.exe");

    // A process not found is asked for again, not remembered as nameless.
    const Hwnd late = fake.AddWindow({L"Late", L"", 0, 300, 301});
    const int before = fake.snapshotsTaken;
    EXPECT_EQ(cached.ExeName(late), L"");
    fake.AddProcess(300, L"late.exe");
    EXPECT_EQ(cached.ExeName(late), L"late.exe");
    EXPECT_EQ(fake.snapshotsTaken, before + 2);
}

TEST_F(WindowInfoTest, TheCacheHoldsABoundedNumberOfWindows) {
    WindowInfo cached(fake);
    std::vector<Hwnd> windows;
    for (std::size_t i = 0; i < ExeNameCache::kCapacity + 4; ++i)
        windows.push_back(fake.AddWindow({L"W", L"", 0, 100, 101}));
    for (Hwnd w : windows) cached.ExeName(w);
    const int afterFirstRound = fake.snapshotsTaken;
    EXPECT_EQ(afterFirstRound, static_cast<int>(windows.size()));
    cached.ExeName(windows.back());  // still cached
    EXPECT_EQ(fake.snapshotsTaken, afterFirstRound);
    cached.ExeName(windows.front());  // evicted
    EXPECT_EQ(fake.snapshotsTaken, afterFirstRound + 1);
}

}  // namespace
}  // namespace lumvale
