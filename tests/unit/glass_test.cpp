// Opacity changes on every kind of window, the beep and the taskbar.
#include "desktop.h"

namespace lumvale {
namespace {

constexpr std::uint32_t kMagenta = 0xFF00FF;
constexpr LayeredAttributes kNotLayered{0, 0, 0};

struct Guest {
    const char* kind;
    bool layered;
    std::optional<LayeredAttributes> own;  // what its program set
    bool hung;
    bool windows2000;
    // After glass level 3, then after level 0; kNotLayered means no layered style.
    bool changes;
    LayeredAttributes atThree;
    LayeredAttributes atZero;
};

bool Same(const LayeredAttributes& a, const LayeredAttributes& b) {
    return a.key == b.key && a.alpha == b.alpha && a.flags == b.flags;
}

class GlassTest : public testing::Desktop {
protected:
    LayeredAttributes Shown(Hwnd window) {
        const auto& w = fake.Window(window);
        if ((w.exStyle & kExStyleLayered) == 0) return kNotLayered;
        return w.attributes.value_or(LayeredAttributes{0, 0, 99});
    }
};

TEST_F(GlassTest, AGlassLevelKeepsWhatTheProgramSetAndOpaqueGivesItBack) {
    const Guest guests[] = {
        {"plain", false, {}, false, false, true, {0, 150, kLwaAlpha}, kNotLayered},
        {"own alpha", true, LayeredAttributes{0, 200, kLwaAlpha}, false, false, true, {0, 150, kLwaAlpha},
         {0, 200, kLwaAlpha}},
        {"colour key", true, LayeredAttributes{kMagenta, 0, kLwaColorKey}, false, false, true,
         {kMagenta, 150, kLwaAlpha | kLwaColorKey}, {kMagenta, 0, kLwaColorKey}},
        {"per-pixel", true, {}, false, false, false, {0, 0, 99}, {0, 0, 99}},
        {"hung", false, {}, true, false, false, kNotLayered, kNotLayered},
        {"Windows 2000", true, LayeredAttributes{0, 99, kLwaAlpha}, false, true, true, {0, 150, kLwaAlpha},
         kNotLayered},
    };
    for (const Guest& g : guests) {
        fake.windows2000 = g.windows2000;
        const Hwnd window = fake.AddWindow({L"Guest", L"", 0, 100, 101, g.layered ? kExStyleLayered : 0, g.own, g.hung});
        fake.beeps.clear();
        Store(store_names::kBeep, L"1");
        EXPECT_EQ(glass.SetGlassLevel(window, 3), g.changes) << g.kind;
        EXPECT_TRUE(Same(Shown(window), g.atThree)) << g.kind << " alpha " << int(Shown(window).alpha);
        EXPECT_EQ(fake.beeps.size(), g.changes ? 3u : 0u) << g.kind << ": a change not made is not reported";
        // Twice, as a hot-key held for two ticks does.
        for (int time = 0; time < 2; ++time) {
            EXPECT_EQ(glass.SetGlassLevel(window, 0), g.changes) << g.kind;
            EXPECT_TRUE(Same(Shown(window), g.atZero)) << g.kind << " alpha " << int(Shown(window).alpha);
        }
    }
    EXPECT_EQ(popupCloses, 18) << "every change the user makes closes the popup";
}

TEST_F(GlassTest, OpaqueOnAWindowLumvaleNeverChangedRemovesOnlyAPlainAlpha) {
    const Hwnd own = fake.AddWindow({L"Own", L"", 0, 100, 101, kExStyleLayered, LayeredAttributes{0, 150, kLwaAlpha}});
    const Hwnd keyed =
        fake.AddWindow({L"Keyed", L"", 0, 100, 101, kExStyleLayered, LayeredAttributes{kMagenta, 0, kLwaColorKey}});
    const Hwnd plain = fake.AddWindow({L"Plain", L"", 0, 100, 101});
    EXPECT_TRUE(glass.SetWindowAlpha(own, 255));
    EXPECT_TRUE(Same(Shown(own), kNotLayered)) << "left translucent by an earlier run, say";
    EXPECT_EQ(fake.redraws, 1);
    EXPECT_EQ(fake.dispatches, 1);
    EXPECT_TRUE(glass.SetWindowAlpha(keyed, 255));
    EXPECT_TRUE(Same(Shown(keyed), {kMagenta, 0, kLwaColorKey}));
    EXPECT_TRUE(glass.SetWindowAlpha(plain, 255));
    EXPECT_EQ(fake.redraws, 1) << "nothing to repaint";
    EXPECT_EQ(fake.dispatches, 1);
}

TEST_F(GlassTest, LevelsGiveTheirAlphaAndAFailedChangeLeavesNoHalfLayeredWindow) {
    const std::pair<std::int16_t, int> levels[] = {{1, 120}, {5, 180}, {9, 240}, {0, 255}, {-1, 255}, {10, 255}};
    for (const auto& [level, alpha] : levels) {
        glass.SetGlassLevel(editor, level);
        EXPECT_EQ(AlphaOf(editor), alpha) << level;
    }
    glass.SetGlassLevel(editor, 4);
    EXPECT_FALSE(glass.SetGlassLevel(editor, 11));
    EXPECT_EQ(AlphaOf(editor), 165) << "levels above 10 are refused before anything changes";

    glass.SetGlassLevel(editor, 0);
    fake.failSetLayeredAttributes = true;
    EXPECT_FALSE(glass.SetGlassLevel(editor, 4));
    EXPECT_EQ(fake.Window(editor).exStyle & kExStyleLayered, 0);
    EXPECT_TRUE(fake.Window(editor).props.empty());
}

TEST_F(GlassTest, TheBeepFollowsItsStoredFlagAtEveryChange) {
    fake.RegDeleteKey(RegRoot::CurrentUser, testing::kSettingsPath);
    glass.SetGlassLevel(editor, 2);
    const std::vector<std::pair<std::uint32_t, std::uint32_t>> tones = {{500, 10}, {1000, 20}, {500, 10}};
    EXPECT_EQ(fake.beeps, tones) << "missing means on";
    Store(store_names::kBeep, L"0");
    glass.SetGlassLevel(editor, 3);
    EXPECT_EQ(fake.beeps.size(), 3u);
}

TEST_F(GlassTest, TheTaskbarGetsItsStoredAlphaClampedAndNeverBeeps) {
    const Hwnd taskbar = fake.AddWindow({L"Shell_TrayWnd"});
    Store(store_names::kBeep, L"1");
    const std::pair<const wchar_t*, int> stored[] = {
        {L"50", 105}, {L"200", 200}, {L"300", 255}, {L"abc", 105}, {L"-99999", 105}, {nullptr, 255}};
    for (const auto& [text, alpha] : stored) {
        if (text)
            Store(store_names::kTaskbarAlpha, text);
        else
            fake.RegDeleteKey(RegRoot::CurrentUser, testing::kSettingsPath);
        glass.ApplyTaskbarAlpha();
        EXPECT_EQ(AlphaOf(taskbar), alpha) << (text ? "stored" : "missing");
    }
    EXPECT_TRUE(fake.beeps.empty());
}

}  // namespace
}  // namespace lumvale
