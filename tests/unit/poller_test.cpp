#include "app/poller.h"

#include <gtest/gtest.h>

#include <cwchar>

#include "test_helpers.h"

namespace lumvale {
namespace {

using testing::kTempPath;
using testing::kWinsPath;

class RecordingPopup : public PopupControl {
public:
    void ShowMe() override { ++shows; }
    void ClosePopup() override { ++closes; }
    int shows = 0;
    int closes = 0;
};

class PollerTest : public testing::EditorInFront {
protected:
    PollerTest() : EditorInFront(L"EditorMain") {
        settings = {false, false, 1, 6};
        glass.SetPopupCloser(&popup);
        poller.SetPopup(&popup);
    }

    void Press(std::initializer_list<int> keys) { fake.pressedKeys.insert(keys); }
    void ReleaseAll() { fake.pressedKeys.clear(); }
    std::optional<std::wstring> Wins() { return fake.Value(RegRoot::CurrentUser, kWinsPath, L"editor.exeEditorMain"); }
    std::optional<std::wstring> Temp(Hwnd window) {
        return fake.Value(RegRoot::CurrentUser, kTempPath, std::to_wstring(window));
    }
    std::optional<std::uint8_t> Alpha() { return fake.Window(editor).alpha; }

    Poller poller{fake, store, settings, glass, windows};
    RecordingPopup popup;
};

TEST_F(PollerTest, CtrlShiftDigitSetsTheGlassLevelOfTheWindowInFront) {
    Press({kVkControl, kVkShift, '3'});
    poller.CheckHotKeys();
    EXPECT_EQ(Alpha(), 150);
    EXPECT_EQ(popup.closes, 1);

    ReleaseAll();
    Press({kVkControl, kVkShift, '0'});
    poller.CheckHotKeys();
    EXPECT_FALSE(Alpha());
    EXPECT_EQ(fake.Window(editor).exStyle & kExStyleLayered, 0);

    // A digit 1-9 wins over 0; the lowest pressed digit wins and the scan
    // stops there.
    ReleaseAll();
    Press({kVkControl, kVkShift, '0', '4'});
    poller.CheckHotKeys();
    EXPECT_EQ(Alpha(), 165);
    ReleaseAll();
    Press({kVkControl, kVkShift, '2', '7'});
    fake.calls.clear();
    poller.CheckHotKeys();
    EXPECT_EQ(Alpha(), 135);
    for (int digit = '3'; digit <= '9'; ++digit)
        EXPECT_EQ(fake.CountCalls("GetAsyncKeyState(" + std::to_string(digit) + ")"), 0);

    // Unlisted modifiers may be down; keypad digits are not digits here.
    ReleaseAll();
    Press({kVkControl, kVkShift, kVkMenu, '5'});
    poller.CheckHotKeys();
    EXPECT_EQ(Alpha(), 180);
    ReleaseAll();
    Press({kVkControl, kVkShift, 0x61 /* VK_NUMPAD1 */});
    poller.CheckHotKeys();
    EXPECT_EQ(Alpha(), 180);
}

TEST_F(PollerTest, EachHotKeyIndexReactsToItsOwnModifiersOnly) {
    const unsigned combos[] = {0, kAlt, kCtrl, kShift, kAlt | kCtrl, kAlt | kShift, kCtrl | kShift, kAlt | kCtrl | kShift};
    for (std::int16_t index = 0; index <= 9; ++index) {
        for (unsigned held = 0; held < 8; ++held) {
            settings.HotKeys = index;
            fake.Window(editor) = {L"EditorMain", L"notes", 0, 100, 101};
            ReleaseAll();
            Press({'1'});
            if (held & kAlt) Press({kVkMenu});
            if (held & kCtrl) Press({kVkControl});
            if (held & kShift) Press({kVkShift});
            fake.calls.clear();
            poller.CheckHotKeys();
            const bool enabled = index >= 1 && index <= 7;
            const bool expected = enabled && (held & combos[index]) == combos[index];
            EXPECT_EQ(fake.Window(editor).alpha.has_value(), expected) << index << " " << held;
            if (!enabled) EXPECT_TRUE(fake.calls.empty()) << "no key is queried when off";
        }
    }
}

TEST_F(PollerTest, HotKeysRememberOnlyWhenAskedOrAlreadyRemembered) {
    Press({kVkControl, kVkShift, '2'});
    poller.CheckHotKeys();
    EXPECT_EQ(Wins(), std::nullopt);
    EXPECT_EQ(fake.registryWrites, 0);

    settings.RememberOn = true;
    poller.CheckHotKeys();
    EXPECT_EQ(Wins(), L"1");
    ReleaseAll();
    Press({kVkControl, kVkShift, '0'});
    poller.CheckHotKeys();
    EXPECT_EQ(Wins(), L"-1");

    // An existing record follows every change even with remembering off.
    settings.RememberOn = false;
    ReleaseAll();
    Press({kVkControl, kVkShift, '9'});
    poller.CheckHotKeys();
    EXPECT_EQ(Wins(), L"8");
    // Hot-keys never write the run records.
    EXPECT_FALSE(fake.KeyExists(RegRoot::CurrentUser, kTempPath));
}

TEST_F(PollerTest, HeldKeysRepeatEveryTickAndNothingHappensWithoutAWindow) {
    fake.SetValue(RegRoot::CurrentUser, testing::kSettingsPath, store_names::kBeep, L"1");
    Press({kVkControl, kVkShift, '5'});
    for (int tick = 0; tick < 10; ++tick) poller.Tick();
    EXPECT_EQ(fake.beeps.size(), 30u);

    fake.beeps.clear();
    fake.foreground = 0;
    settings.RememberOn = true;
    poller.CheckHotKeys();
    EXPECT_TRUE(fake.beeps.empty());
    EXPECT_EQ(fake.ValueCount(RegRoot::CurrentUser, kWinsPath), 0u);
}

TEST_F(PollerTest, ThePopupOpensOnTheTriggerAndClosesAfterTheNextCompleteClick) {
    poller.Tick();
    EXPECT_EQ(popup.shows, 0);
    Press({kVkRButton});
    poller.Tick();
    EXPECT_EQ(popup.shows, 1);
    EXPECT_EQ(poller.PopupTriggerState(), 1);
    poller.Tick();  // still held: nothing
    EXPECT_EQ(poller.PopupTriggerState(), 1);
    ReleaseAll();
    poller.Tick();
    EXPECT_EQ(poller.PopupTriggerState(), 2);
    Press({kVkLButton});
    poller.Tick();
    EXPECT_EQ(poller.PopupTriggerState(), 3);
    EXPECT_EQ(popup.closes, 0);
    ReleaseAll();
    poller.Tick();
    EXPECT_EQ(poller.PopupTriggerState(), 0);
    // The release's own button-up is handled first; the next tick closes.
    EXPECT_EQ(popup.closes, 0);
    poller.Tick();
    EXPECT_EQ(popup.closes, 1);
    poller.Tick();
    EXPECT_EQ(popup.closes, 1);
    EXPECT_EQ(popup.shows, 1);
}

TEST_F(PollerTest, EachTriggerIndexWantsTheRightButtonWithItsOwnModifiers) {
    // Index: the modifiers it needs (Alt 1, Ctrl 2, Shift 4); 0 and 9 are off.
    const int needs[] = {-1, 0, kAlt, kCtrl, kShift, kAlt | kCtrl, kAlt | kShift, kCtrl | kShift,
                         kAlt | kCtrl | kShift, -1};
    for (std::int16_t index = 0; index <= 9; ++index) {
        for (unsigned held = 0; held < 8; ++held) {
            for (bool right : {false, true}) {
                settings.PopupKeys = index;
                ReleaseAll();
                if (right) Press({kVkRButton});
                if (held & kAlt) Press({kVkMenu});
                if (held & kCtrl) Press({kVkControl});
                if (held & kShift) Press({kVkShift});
                const bool expected =
                    right && needs[index] >= 0 && (held & unsigned(needs[index])) == unsigned(needs[index]);
                EXPECT_EQ(IsPopupTrigger(fake, index), expected) << index << "/" << held << "/" << right;
            }
        }
    }
    // Without the right button nothing else is queried.
    ReleaseAll();
    settings.PopupKeys = 8;
    fake.calls.clear();
    EXPECT_FALSE(IsPopupTrigger(fake, settings.PopupKeys));
    EXPECT_EQ(fake.calls, std::vector<std::string>{"GetAsyncKeyState(2)"});
}

TEST_F(PollerTest, TheCycleWorksWithEitherButtonForTheClosingClick) {
    for (int closing : {kVkLButton, kVkRButton}) {
        settings.PopupKeys = 7;  // Ctrl + Shift + right button
        popup.shows = popup.closes = 0;
        Press({kVkRButton, kVkControl, kVkShift});
        poller.Tick();
        ReleaseAll();
        poller.Tick();
        Press({closing});
        poller.Tick();
        EXPECT_EQ(poller.PopupTriggerState(), 3);
        ReleaseAll();
        poller.Tick();
        poller.Tick();
        EXPECT_EQ(poller.PopupTriggerState(), 0);
        EXPECT_EQ(popup.shows, 1);
        EXPECT_EQ(popup.closes, 1);
    }
}

TEST_F(PollerTest, RememberedOpacityIsAppliedOncePerWindowAndRun) {
    fake.SetValue(RegRoot::CurrentUser, testing::kSettingsPath, store_names::kBeep, L"1");
    fake.SetValue(RegRoot::CurrentUser, kWinsPath, L"editor.exeEditorMain", L"4");
    poller.Tick();
    EXPECT_EQ(Alpha(), 180);
    EXPECT_EQ(fake.beeps.size(), 3u);
    EXPECT_EQ(Temp(editor), L"4");

    // Handled: a hot-key change is not undone by the record.
    Press({kVkControl, kVkShift, '1'});
    poller.Tick();
    ReleaseAll();
    poller.Tick();
    EXPECT_EQ(Alpha(), 120);

    // The hot-key updated the existing record; another window of the same
    // program gets that the first time it is in front.
    EXPECT_EQ(Wins(), L"0");
    const Hwnd second = fake.AddWindow({L"EditorMain", L"more", 0, 100, 101});
    fake.foreground = second;
    poller.Tick();
    EXPECT_EQ(fake.Window(second).alpha, 120);
}

TEST_F(PollerTest, ARecordOfNoGlassMarksTheWindowHandledWithoutTouchingIt) {
    fake.SetValue(RegRoot::CurrentUser, testing::kSettingsPath, store_names::kBeep, L"1");
    fake.SetValue(RegRoot::CurrentUser, kWinsPath, L"editor.exeEditorMain", L"-1");
    poller.Tick();
    EXPECT_EQ(Temp(editor), L"-1");
    EXPECT_TRUE(fake.beeps.empty());
    EXPECT_EQ(fake.CountCalls("SetWindowLong"), 0);
}

TEST_F(PollerTest, UnrememberedWindowsAreLookedUpUntilARecordAppears) {
    for (int tick = 0; tick < 5; ++tick) poller.Tick();
    EXPECT_FALSE(fake.KeyExists(RegRoot::CurrentUser, kTempPath));
    // Another copy of the program (or the popup) writes a record meanwhile.
    fake.SetValue(RegRoot::CurrentUser, kWinsPath, L"editor.exeEditorMain", L"0");
    poller.Tick();
    EXPECT_EQ(Alpha(), 120);
    EXPECT_EQ(Temp(editor), L"0");
}

TEST_F(PollerTest, OddRecordValuesAreReadWithoutHarm) {
    // The text, and the alpha it gives; nothing: treated as no record, the
    // window keeps what it had and no run record is written.
    const std::pair<const wchar_t*, std::optional<int>> cases[] = {
        {L"abc", 120},             // no leading number: the "10%" entry
        {L" 4 ", 180},             // blanks around
        {L"4.5", 180},             // halves to even: 4
        {L"8x", 240},              // the leading number
        {L"9", -1},                // level 10: opaque
        {L"12", std::nullopt},     // no glass level
        {L"99999", std::nullopt},  // too big for 16 bits
        {L"-5", std::nullopt},
    };
    for (const auto& [text, alpha] : cases) {
        const std::string name(text, text + std::wcslen(text));
        const Hwnd window = fake.AddWindow({L"EditorMain", L"", 0, 100, 101});
        fake.Window(window).exStyle = kExStyleLayered;
        fake.Window(window).alpha = 77;
        fake.foreground = window;
        fake.SetValue(RegRoot::CurrentUser, kWinsPath, L"editor.exeEditorMain", text);
        poller.ApplyRememberedAlpha();
        if (!alpha) {
            EXPECT_EQ(fake.Window(window).alpha, 77) << name;
            EXPECT_EQ(Temp(window), std::nullopt) << name;
        } else if (*alpha < 0) {
            EXPECT_EQ(fake.Window(window).exStyle & kExStyleLayered, 0) << name;
            EXPECT_EQ(Temp(window), L"9") << name;
        } else {
            EXPECT_EQ(fake.Window(window).alpha, *alpha) << name;
            EXPECT_NE(Temp(window), std::nullopt) << name;
        }
    }
}

TEST_F(PollerTest, AWindowWithoutIdentityIsNeverLookedUp) {
    fake.foreground = fake.AddWindow({L"", L"", 0, 0, 0});
    fake.SetValue(RegRoot::CurrentUser, kWinsPath, L"", L"4");
    poller.ApplyRememberedAlpha();
    EXPECT_FALSE(fake.Window(fake.foreground).alpha);
    EXPECT_FALSE(fake.KeyExists(RegRoot::CurrentUser, kTempPath));
}

TEST_F(PollerTest, AnIdleTickCostsKeyQueriesAndTwoReadsButNoSnapshot) {
    for (int tick = 0; tick < 1000; ++tick) poller.Tick();
    EXPECT_EQ(fake.snapshotsTaken, 1);
    EXPECT_EQ(store.readCount(), 2000);
    EXPECT_EQ(fake.openRegistryKeys(), 0);
    EXPECT_EQ(fake.openSnapshots, 0);
}

TEST_F(PollerTest, ATickArrivingInsideAnotherIsSkipped) {
    fake.SetValue(RegRoot::CurrentUser, testing::kSettingsPath, store_names::kBeep, L"1");
    int nested = 0;
    fake.onPendingMessages = [&] {
        ++nested;
        poller.Tick();
    };
    Press({kVkControl, kVkShift, '4'});
    poller.Tick();
    EXPECT_EQ(nested, 3);
    EXPECT_EQ(fake.beeps.size(), 3u);  // the nested ticks did nothing
}

}  // namespace
}  // namespace lumvale
