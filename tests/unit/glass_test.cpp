// Opacity changes where the end-to-end tier cannot look: every level, the
// beep, failures and systems before Windows XP.
#include "fake/fake_platform.h"

namespace lumvale {
namespace {

using GlassTest = testing::Desktop;

TEST_F(GlassTest, LevelsGiveTheirAlphaAndAFailedChangeLeavesNoHalfLayeredWindow) {
    const std::pair<std::int16_t, int> levels[] = {{1, 120}, {5, 180}, {9, 240}, {0, 255}, {-1, 255}, {10, 255}};
    for (const auto& [level, alpha] : levels) {
        glass.SetGlassLevel(editor, level);
        EXPECT_EQ(AlphaOf(editor), alpha) << level;
    }
    glass.SetGlassLevel(editor, 4);
    EXPECT_FALSE(glass.SetGlassLevel(editor, 11));
    EXPECT_EQ(AlphaOf(editor), 165) << "levels above 10 are refused before anything changes";
    EXPECT_EQ(popupCloses, 7);

    glass.SetGlassLevel(editor, 0);
    fake.failSetLayeredAttributes = true;
    EXPECT_FALSE(glass.SetGlassLevel(editor, 4));
    EXPECT_EQ(fake.Window(editor).exStyle & kExStyleLayered, 0);
    EXPECT_TRUE(fake.Window(editor).props.empty());
}

TEST_F(GlassTest, TheBeepFollowsItsStoredFlagAndOnlyAChangeMadeBeeps) {
    const Hwnd hung = fake.AddWindow({L"Hung", L"", 0, 100, 101, 0, {}, true});
    const Hwnd perPixel = fake.AddWindow({L"PerPixel", L"", 0, 100, 101, kExStyleLayered});
    fake.RegDeleteKey(RegRoot::CurrentUser, testing::kSettingsPath);
    for (const Hwnd window : {hung, perPixel, editor}) glass.SetGlassLevel(window, 2);
    const std::vector<std::pair<std::uint32_t, std::uint32_t>> tones = {{500, 10}, {1000, 20}, {500, 10}};
    EXPECT_EQ(fake.beeps, tones) << "missing means on";
    Store(store_names::kBeep, L"0");
    glass.SetGlassLevel(editor, 3);
    EXPECT_EQ(fake.beeps.size(), 3u);
}

TEST_F(GlassTest, WhereNothingTellsWhatTheProgramSetOpaqueRemovesAPlainAlphaAsAlways) {
    const LayeredAttributes keyed{0xFF00FF, 0, kLwaColorKey};
    const Hwnd earlier = fake.AddWindow({L"Left", L"", 0, 100, 101, kExStyleLayered, LayeredAttributes{0, 150}});
    const Hwnd shaped = fake.AddWindow({L"Shaped", L"", 0, 100, 101, kExStyleLayered, keyed});
    EXPECT_TRUE(glass.SetWindowAlpha(earlier, 255)) << "left translucent by an earlier run, say";
    EXPECT_EQ(AlphaOf(earlier), 255);
    EXPECT_EQ(std::make_pair(fake.redraws, fake.dispatches), std::make_pair(1, 1));
    EXPECT_TRUE(glass.SetWindowAlpha(shaped, 255));
    EXPECT_EQ(fake.Window(shaped).attributes->flags, kLwaColorKey) << "the shape is the program's";
    EXPECT_TRUE(glass.SetWindowAlpha(editor, 255));
    EXPECT_EQ(fake.redraws, 1) << "nothing to repaint";

    // Before Windows XP nothing can be read: a self-layered window is taken
    // as one constant alpha, and opaque removes its layering.
    fake.windows2000 = true;
    fake.Window(earlier) = {L"Left", L"", 0, 100, 101, kExStyleLayered, LayeredAttributes{0, 99}};
    glass.SetGlassLevel(earlier, 3);
    EXPECT_EQ(AlphaOf(earlier), 150);
    glass.SetGlassLevel(earlier, 0);
    EXPECT_EQ(AlphaOf(earlier), 255);
}

}  // namespace
}  // namespace lumvale
