#include "settings/taskbar_slider.h"

#include <gtest/gtest.h>

#include "test_helpers.h"

namespace lumvale {
namespace {

using testing::StoreSetting;
using testing::StoredSetting;

// pTask is 2955 twips wide: 197 pixels.
constexpr std::int32_t kWidth = 197;

class TaskbarSliderTest : public ::testing::Test {
protected:
    // The alpha the taskbar shows: 255 when it is not layered.
    int TaskbarAlpha() {
        const auto& bar = fake.Window(taskbar);
        if ((bar.exStyle & kExStyleLayered) == 0) return 255;
        return bar.alpha ? *bar.alpha : -1;
    }
    std::int32_t LoadedFrom(const std::wstring& stored) {
        StoreSetting(fake, L"TBar", stored);
        slider.Load(kWidth);
        return slider.SliderPos();
    }

    fake::FakePlatform fake;
    SettingsStore store{fake};
    Glass glass{fake, store};
    TaskbarSlider slider{store, glass};
    Hwnd taskbar = fake.AddWindow({L"Shell_TrayWnd", L""});
};

TEST_F(TaskbarSliderTest, LoadPlacesTheStoredAlphaOnTheBarWithoutClamping) {
    slider.Load(kWidth);
    EXPECT_EQ(slider.SliderPos(), kWidth) << "nothing stored: full bar";
    EXPECT_EQ(LoadedFrom(L"105"), 0);
    EXPECT_EQ(LoadedFrom(L"255"), kWidth);
    EXPECT_EQ(LoadedFrom(L"180"), 98) << "98.5 rounds to the even neighbour";
    EXPECT_EQ(LoadedFrom(L"200"), 125);
    EXPECT_EQ(LoadedFrom(L"50"), -72);
    EXPECT_EQ(LoadedFrom(L"300"), 256);
    // Values that are no usable number leave the position as it was.
    for (const wchar_t* bad : {L"abc", L"", L"1e300", L"12px"}) EXPECT_EQ(LoadedFrom(bad), 256) << bad;
    // Loading changes nothing on the taskbar.
    EXPECT_EQ(fake.CountCalls("SetLayeredWindowAttributes"), 0);
    EXPECT_EQ(fake.CountCalls("SetWindowLong"), 0);
}

TEST_F(TaskbarSliderTest, DragWithTheLeftButtonAloneAppliesTheAlphaKeptOnTheBar) {
    const std::pair<double, int> moves[] = {{0, 105}, {10, 113}, {98.5, 180}, {150, 219}, {-40, 105},
                                            {196, 254}, {500, 255}, {kWidth, 255}, {60, 151}};
    for (const auto& [x, alpha] : moves) {
        ASSERT_TRUE(slider.Drag(x, kSliderLeft, kWidth));
        EXPECT_EQ(TaskbarAlpha(), alpha) << x;
        EXPECT_GE(slider.SliderPos(), 0);
        EXPECT_LE(slider.SliderPos(), kWidth);
    }
    EXPECT_EQ(slider.SliderPos(), 60);
    EXPECT_EQ(fake.CountCalls("Beep"), 0) << "the taskbar never beeps";

    // Any other buttons change nothing at all.
    fake.calls.clear();
    for (unsigned buttons : {0u, unsigned{kSliderRight}, kSliderLeft | kSliderRight, kSliderLeft | kSliderMiddle,
                             unsigned{kSliderMiddle}, kSliderLeft | kSliderExtra}) {
        EXPECT_FALSE(slider.Drag(20, buttons, kWidth)) << buttons;
    }
    EXPECT_EQ(slider.SliderPos(), 60);
    EXPECT_TRUE(fake.calls.empty());
    EXPECT_EQ(TaskbarAlpha(), 151);
}

TEST_F(TaskbarSliderTest, SaveStoresTheAlphaTheTaskbarShowed) {
    for (int x = -3; x <= kWidth + 3; ++x) {
        slider.Drag(x, kSliderLeft, kWidth);
        slider.Save(kWidth);
        EXPECT_EQ(StoredSetting(fake, L"TBar"), std::to_wstring(TaskbarAlpha())) << x;
    }
}

TEST_F(TaskbarSliderTest, SaveWithoutTouchingTheSliderKeepsWhatWasStored) {
    for (int alpha = 105; alpha <= 255; ++alpha) {
        LoadedFrom(std::to_wstring(alpha));
        slider.Save(kWidth);
        ASSERT_EQ(StoredSetting(fake, L"TBar"), std::to_wstring(alpha));
    }
    // Off the bar it is written back as it was; applying it clamps it.
    for (const wchar_t* stored : {L"50", L"300"}) {
        LoadedFrom(stored);
        slider.Save(kWidth);
        EXPECT_EQ(StoredSetting(fake, L"TBar"), stored);
    }
    // "abc" leaves the position of the first opening: an empty bar.
    TaskbarSlider fresh{store, glass};
    StoreSetting(fake, L"TBar", L"abc");
    fresh.Load(kWidth);
    fresh.Save(kWidth);
    EXPECT_EQ(StoredSetting(fake, L"TBar"), L"105");
}

TEST_F(TaskbarSliderTest, NoTaskbarOrNoWidthIsHarmless) {
    fake.DestroyWindow(taskbar);
    EXPECT_TRUE(slider.Drag(50, kSliderLeft, kWidth));
    EXPECT_EQ(slider.SliderPos(), 50);

    TaskbarSlider empty{store, glass};
    empty.Load(0);
    EXPECT_EQ(empty.SliderPos(), 0);
    EXPECT_TRUE(empty.Drag(30, kSliderLeft, 0));
    EXPECT_EQ(empty.SliderPos(), 0);
    StoreSetting(fake, L"TBar", L"200");
    empty.Save(0);
    EXPECT_EQ(StoredSetting(fake, L"TBar"), L"200") << "no alpha without a width";
}

}  // namespace
}  // namespace lumvale
