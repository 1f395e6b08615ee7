// The taskbar slider's arithmetic and the start-with-Windows entry.
#include "settings/startup_entry.h"
#include "settings/taskbar_slider.h"

#include "fake/fake_platform.h"

namespace lumvale {
namespace {

constexpr std::int32_t kBar = 197;  // pTask's inner width at 96 dots per inch

class SliderTest : public testing::Desktop {
protected:
    SliderTest() { taskbar = fake.AddWindow({L"Shell_TrayWnd"}); }
    TaskbarSlider slider{store, glass};
    Hwnd taskbar = 0;
};

TEST_F(SliderTest, PositionsAndAlphasConvertHalvesToEvenAndOnlyTheLeftButtonDragsOnTheBar) {
    const std::pair<double, std::int32_t> positions[] = {{255, 197}, {105, 0}, {180, 98}, {50, -72}, {300, 256}};
    for (const auto& [alpha, position] : positions) EXPECT_EQ(SliderPosForAlpha(alpha, kBar), position) << alpha;
    EXPECT_FALSE(AlphaForSliderPos(5, 0)) << "a bar without width";

    struct Drag {
        double x;
        unsigned buttons;
        std::int32_t position;
        int alpha;
    };
    const Drag drags[] = {{-30, kSliderLeft, 0, 105},
                          {1, kSliderLeft, 1, 106},
                          {120, kSliderRight, 1, 106},
                          {120, kSliderLeft | kSliderRight, 1, 106},
                          {250, kSliderLeft, 197, 255},
                          {98.5, kSliderLeft, 98, 180}};
    for (const Drag& d : drags) {
        EXPECT_EQ(slider.Drag(d.x, d.buttons, kBar), d.buttons == kSliderLeft) << d.x;
        EXPECT_EQ(slider.SliderPos(), d.position) << d.x;
        EXPECT_EQ(AlphaOf(taskbar), d.alpha) << d.x;
    }
    slider.Rescale(kBar, 295);  // the bar at 150% display scale
    EXPECT_EQ(slider.SliderPos(), 147) << "the fill stays where it was";
}

TEST_F(SliderTest, OpeningAndSavingKeepsEveryStoredAlpha) {
    for (int alpha = 105; alpha <= 255; ++alpha) {
        Store(store_names::kTaskbarAlpha, std::to_wstring(alpha));
        slider.Load(kBar);
        slider.Save(kBar);
        EXPECT_EQ(Record(store_names::kSettings, store_names::kTaskbarAlpha), std::to_wstring(alpha));
    }
    Store(store_names::kTaskbarAlpha, L"abc");
    slider.Load(kBar);
    EXPECT_EQ(slider.SliderPos(), 197) << "a value that is no number leaves the position";
}

class StartupTest : public testing::Desktop {
protected:
    std::optional<std::wstring> Entry(RegRoot root) { return fake.Value(root, kRunKey, kStartupValueName); }
};

TEST_F(StartupTest, TheMachineKeyFirstTheUsersWhereItIsRefusedAndTheTruthReported) {
    const std::wstring me = L"C:\\Lumvale\\lumvale.exe";
    const std::wstring other = L"D:\\old\\lumvale.exe";
    using Text = std::optional<std::wstring>;
    struct Case {
        bool machineRefused, userRefused;
        Text machine, user;
        bool on;
        Text machineAfter, userAfter;
        bool asAsked;
    };
    const Case cases[] = {
        {false, false, {}, {}, true, me, {}, true},
        {false, false, {}, other, true, me, {}, true},  // not in both: two copies would start
        {true, false, me, {}, true, me, {}, true},
        {true, false, other, {}, true, other, {}, true},
        {false, false, other, me, false, {}, {}, true},
        {true, false, other, me, false, other, {}, false},
        {true, true, {}, {}, false, {}, {}, true},
    };
    for (const Case& c : cases) {
        fake.readOnlyRoots.clear();
        for (RegRoot root : {RegRoot::LocalMachine, RegRoot::CurrentUser})
            fake.RegDeleteKey(root, kRunKey);
        if (c.machine) fake.SetValue(RegRoot::LocalMachine, kRunKey, kStartupValueName, *c.machine);
        if (c.user) fake.SetValue(RegRoot::CurrentUser, kRunKey, kStartupValueName, *c.user);
        if (c.machineRefused) fake.readOnlyRoots.insert(RegRoot::LocalMachine);
        if (c.userRefused) fake.readOnlyRoots.insert(RegRoot::CurrentUser);
        EXPECT_EQ(SetStartsWithWindows(fake, c.on, me), c.asAsked) << &c - cases;
        EXPECT_EQ(Entry(RegRoot::LocalMachine), c.machineAfter) << &c - cases;
        EXPECT_EQ(Entry(RegRoot::CurrentUser), c.userAfter) << &c - cases;
        EXPECT_EQ(StartsWithWindows(fake), c.machineAfter || c.userAfter);
    }
    EXPECT_EQ(fake.OpenHandles(), 0);
}

TEST_F(StartupTest, EntriesAreReadTrimmedAndCommandsAreTheProgramsOwnPath) {
    const std::pair<std::wstring, std::wstring> stored[] = {
        {L"    ", L""}, {std::wstring(1500, L'x'), std::wstring(1023, L'x')}};  // longer than the buffer: present
    for (const auto& [text, read] : stored) {
        fake.SetValue(RegRoot::LocalMachine, kRunKey, kStartupValueName, text);
        EXPECT_EQ(GetStartupEntry(fake, RegRoot::LocalMachine, kStartupValueName), read);
    }
    EXPECT_EQ(StartupCommandForModule(L"C:\\Lumvale.EXE"), L"C:\\Lumvale.exe") << "no doubled \\ at a drive's root";
}

}  // namespace
}  // namespace lumvale
