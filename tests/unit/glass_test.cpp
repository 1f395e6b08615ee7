#include "glass/glass.h"

#include <gtest/gtest.h>

#include "test_helpers.h"

namespace lumvale {
namespace {

using testing::CountingCloser;
using testing::StoreSetting;

class GlassTest : public ::testing::Test {
protected:
    GlassTest() { glass.SetPopupCloser(&closer); }

    Hwnd AddEditor() { return fake.AddWindow({L"EditorMain", L"notes", 0, 100, 101}); }
    bool LayeredWithoutAlpha(Hwnd window) {
        const auto& w = fake.Window(window);
        return (w.exStyle & kExStyleLayered) && !w.alpha;
    }

    fake::FakePlatform fake;
    SettingsStore store{fake};
    Glass glass{fake, store};
    CountingCloser closer;
};

TEST_F(GlassTest, GlassLevelsMapToTheirAlphas) {
    EXPECT_EQ(AlphaForGlassLevel(1), 120);
    EXPECT_EQ(AlphaForGlassLevel(3), 150);
    EXPECT_EQ(AlphaForGlassLevel(9), 240);
    EXPECT_EQ(AlphaForGlassLevel(10), 255);
    EXPECT_EQ(AlphaForGlassLevel(0), 255);
    EXPECT_EQ(AlphaForGlassLevel(-1), 255);

    const Hwnd editor = AddEditor();
    glass.SetGlassLevel(editor, 1);
    EXPECT_EQ(fake.Window(editor).alpha, 120);
    glass.SetGlassLevel(editor, 9);
    EXPECT_EQ(fake.Window(editor).alpha, 240);
    EXPECT_EQ(closer.closes, 2);
}

TEST_F(GlassTest, OpaqueOnAnUnlayeredWindowDoesNothingAtAll) {
    const Hwnd editor = AddEditor();
    glass.SetWindowAlpha(editor, 255);
    EXPECT_EQ(fake.CountCalls("SetWindowLong"), 0);
    EXPECT_EQ(fake.CountCalls("RedrawWindow"), 0);
    EXPECT_EQ(fake.CountCalls("ProcessPendingMessages"), 0);
    EXPECT_EQ(fake.CountCalls("SetLayeredWindowAttributes"), 0);
}

TEST_F(GlassTest, ChangingTheAlphaOfALayeredWindowKeepsItsStyle) {
    const Hwnd editor = AddEditor();
    glass.SetWindowAlpha(editor, 150);
    EXPECT_EQ(fake.CountCalls("SetWindowLong"), 1);
    fake.calls.clear();
    glass.SetWindowAlpha(editor, 200);
    EXPECT_EQ(fake.Window(editor).alpha, 200);
    EXPECT_EQ(fake.CountCalls("SetWindowLong"), 0);
    EXPECT_EQ(fake.CountCalls("RedrawWindow"), 0);
}

TEST_F(GlassTest, OpaqueLevelsRemoveTheStyleAndRepaintWithoutSettingAnAlpha) {
    for (std::int16_t level : {0, -1, 10}) {
        const Hwnd editor = AddEditor();
        // Also a window that made itself layered.
        fake.Window(editor).exStyle = kExStyleLayered | 0x100;
        fake.calls.clear();
        glass.SetGlassLevel(editor, level);
        EXPECT_EQ(fake.Window(editor).exStyle, 0x100) << level;
        EXPECT_EQ(fake.CountCalls("SetLayeredWindowAttributes"), 0) << level;
        EXPECT_EQ(fake.CountCalls("RedrawWindow(1024,768)"), 1) << level;
        EXPECT_GE(fake.CountCalls("ProcessPendingMessages"), 1) << level;
    }
}

TEST_F(GlassTest, ValuesOutsideTheScaleChangeNothing) {
    const Hwnd editor = AddEditor();
    glass.SetWindowAlpha(editor, 180);
    fake.calls.clear();
    glass.SetGlassLevel(editor, 11);
    glass.SetGlassLevel(editor, 32767);
    glass.SetWindowAlpha(editor, 256);
    glass.SetWindowAlpha(editor, -1);
    EXPECT_EQ(fake.Window(editor).alpha, 180);
    EXPECT_TRUE(fake.calls.empty());
    EXPECT_TRUE(fake.beeps.empty());
    EXPECT_EQ(closer.closes, 0);
}

TEST_F(GlassTest, NoWindowIsLeftLayeredWithoutAnAlpha) {
    const Hwnd editor = AddEditor();
    fake.failSetLayeredAttributes = true;
    glass.SetGlassLevel(editor, 3);
    EXPECT_FALSE(LayeredWithoutAlpha(editor));
    EXPECT_EQ(fake.Window(editor).exStyle & kExStyleLayered, 0);

    // A window that was layered by its owner keeps its style and alpha.
    const Hwnd own = AddEditor();
    fake.Window(own).exStyle = kExStyleLayered;
    fake.Window(own).alpha = 77;
    glass.SetGlassLevel(own, 3);
    EXPECT_EQ(fake.Window(own).alpha, 77);

    fake.failSetLayeredAttributes = false;
    for (std::int16_t level = -2; level <= 12; ++level) {
        glass.SetGlassLevel(editor, level);
        EXPECT_FALSE(LayeredWithoutAlpha(editor)) << level;
    }
}

TEST_F(GlassTest, BeepFollowsTheStoredFlagAndDefaultsToOn) {
    const Hwnd editor = AddEditor();
    glass.SetGlassLevel(editor, 2);
    using Tone = std::pair<std::uint32_t, std::uint32_t>;
    EXPECT_EQ(fake.beeps, (std::vector<Tone>{{500, 10}, {1000, 20}, {500, 10}}));

    fake.beeps.clear();
    StoreSetting(fake, store_names::kBeep, L"0");
    glass.SetGlassLevel(editor, 2);
    StoreSetting(fake, store_names::kBeep, L"noise");
    glass.SetGlassLevel(editor, 2);
    EXPECT_TRUE(fake.beeps.empty());

    StoreSetting(fake, store_names::kBeep, L"1");
    StoreSetting(fake, store_names::kTaskbarAlpha, L"150");
    fake.AddWindow({L"Shell_TrayWnd", L"", 0, 4, 5});
    glass.ApplyTaskbarAlpha();
    EXPECT_TRUE(fake.beeps.empty());
}

TEST_F(GlassTest, TheBeepLetsQueuedHandlersRunBetweenTones) {
    const Hwnd editor = AddEditor();
    int reentered = 0;
    fake.onPendingMessages = [&] {
        // A nested handler changes the same window while the beep sounds.
        if (reentered++ == 0) glass.SetWindowAlpha(editor, 200);
    };
    glass.SetGlassLevel(editor, 1);
    EXPECT_EQ(reentered, 3);
    EXPECT_EQ(fake.Window(editor).alpha, 200);
    EXPECT_EQ(closer.closes, 1);
}

TEST_F(GlassTest, TaskbarAlphaIsClampedAndAppliedWithoutClosingThePopup) {
    const Hwnd taskbar = fake.AddWindow({L"Shell_TrayWnd", L"", 0, 4, 5});
    const std::pair<const wchar_t*, std::optional<std::uint8_t>> cases[] = {
        {L"50", 105}, {L"300", std::nullopt}, {L"abc", 105}, {L"200", 200}, {L"99999", 105}, {L"104.5", 105}};
    for (const auto& [text, alpha] : cases) {
        StoreSetting(fake, store_names::kTaskbarAlpha, text);
        glass.ApplyTaskbarAlpha();
        EXPECT_EQ(fake.Window(taskbar).alpha, alpha) << std::string(text, text + wcslen(text));
    }
    EXPECT_EQ(closer.closes, 0);

    // Nothing stored: opaque; a taskbar left layered by an earlier run is
    // made opaque and the screen repainted.
    fake.Window(taskbar).exStyle = kExStyleLayered;
    fake.Window(taskbar).alpha = 120;
    fake.SetValue(RegRoot::CurrentUser, testing::kSettingsPath, L"TBar", L"255");
    fake.calls.clear();
    glass.ApplyTaskbarAlpha();
    EXPECT_EQ(fake.Window(taskbar).exStyle & kExStyleLayered, 0);
    EXPECT_EQ(fake.CountCalls("RedrawWindow"), 1);
}

TEST_F(GlassTest, NoTaskbarMeansNothingChanges) {
    const Hwnd editor = AddEditor();
    StoreSetting(fake, store_names::kTaskbarAlpha, L"120");
    glass.ApplyTaskbarAlpha();
    EXPECT_FALSE(fake.Window(editor).alpha);
    EXPECT_EQ(glass.FindTaskbar(), 0);
}

}  // namespace
}  // namespace lumvale
