// Opacity where the end-to-end tier cannot look; the poll's keys, trigger, remembered windows, sleep and
// pause; where the popup opens and what it says of refusals; the shell's icon, taskbars and app frames.
#include "app/poll_pause.h"
#include "app/poller.h"
#include "app/poll_wake.h"
#include "popup/popup_logic.h"

#include <array>
#include <cstring>

#include "fake/fake_platform.h"

namespace lumvale {
namespace {

using fake::FakeWindow;
using GlassTest = testing::Desktop;

TEST_F(GlassTest, LevelsGiveTheirAlphaOnlyAChangeMadeBeepsAndAFailedOneLeavesNoHalfLayeredWindow) {
    const std::pair<std::int16_t, int> levels[] = {{1, 120}, {5, 180}, {9, 240}, {0, 255}, {-1, 255}, {10, 255}};
    for (const auto& [level, alpha] : levels) {
        glass.SetGlassLevel(editor, level);
        EXPECT_EQ(AlphaOf(editor), alpha) << level;
    }
    glass.SetGlassLevel(editor, 4);
    EXPECT_EQ(glass.SetGlassLevel(editor, 11), AlphaChange::Refused);
    EXPECT_EQ(AlphaOf(editor), 165) << "levels above 10 are refused before anything changes";
    EXPECT_TRUE(fake.beeps.empty()) << "\"Beep\" 0";
    fake.RegDeleteKey(RegRoot::CurrentUser, testing::kSettingsPath);  // missing: on
    for (const FakeWindow& window : {FakeWindow{L"Hung", L"", 0, 100, 101, 0, {}, true},
                                     FakeWindow{L"PerPixel", L"", 0, 100, 101, kExStyleLayered}})
        glass.SetGlassLevel(fake.AddWindow(window), 2);
    glass.SetGlassLevel(editor, 2);
    EXPECT_EQ(fake.beeps, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{500, 10}, {1000, 20}, {500, 10}}));

    glass.SetGlassLevel(editor, 0);
    fake.failSetLayeredAttributes = true;
    EXPECT_EQ(glass.SetGlassLevel(editor, 4), AlphaChange::Refused);
    EXPECT_EQ(fake.Window(editor).exStyle & kExStyleLayered, 0);
    EXPECT_TRUE(fake.Window(editor).props.empty());
}

TEST_F(GlassTest, WhereNothingTellsWhatTheProgramSetOpaqueRemovesAPlainAlphaAsAlways) {
    // A colour-keyed window keeps its key: proved end to end.
    const Hwnd earlier = fake.AddWindow({L"Left", L"", 0, 100, 101, kExStyleLayered, LayeredAttributes{0, 150}});
    EXPECT_EQ(glass.SetWindowAlpha(earlier, 255), AlphaChange::Made) << "left translucent by an earlier run, say";
    EXPECT_EQ(AlphaOf(earlier), 255);
    const Rect& r = fake.redrawn;
    EXPECT_EQ(std::make_tuple(fake.redraws, fake.dispatches, r.left, r.top, r.right, r.bottom),
              std::make_tuple(1, 1, -1280, -200, 1024, 824)) << "every monitor repainted once";
    EXPECT_EQ(glass.SetWindowAlpha(editor, 255), AlphaChange::Made);
    EXPECT_EQ(fake.redraws, 1) << "nothing to repaint";

    // Before Windows XP nothing can be read: a self-layered window is one constant alpha, opaque unlayers it.
    fake.windows2000 = true;
    fake.Window(earlier) = {L"Left", L"", 0, 100, 101, kExStyleLayered, LayeredAttributes{0, 99}};
    glass.SetGlassLevel(earlier, 3);
    EXPECT_EQ(AlphaOf(earlier), 150);
    glass.SetGlassLevel(earlier, 0);
    EXPECT_EQ(AlphaOf(earlier), 255);
}

TEST_F(GlassTest, OpaqueGivesBackWhatTheProgramSetLastEvenWhereItChangedItsLayeringSinceLumvale) {
    // Faded in at alpha 40, glassed, then its program sets its own alpha (none: drops its layering), glassed
    // again and made opaque: what opaque gives.
    const std::tuple<const char*, std::optional<std::uint8_t>, int> cases[] = {
        {"left alone", 40, 40}, {"faded in fully", 255, 255}, {"own alpha", 90, 90}, {"layering dropped", {}, 255}};
    for (const auto& [what, programsLater, opaque] : cases) {
        const Hwnd window = fake.AddWindow({L"Fading", L"", 0, 100, 101, kExStyleLayered, LayeredAttributes{0, 40}});
        glass.SetGlassLevel(window, 3);
        if (programsLater) fake.Window(window).attributes = LayeredAttributes{0, *programsLater};
        if (!programsLater) fake.SetWindowLongExStyle(window, 0);
        glass.SetGlassLevel(window, 5);
        EXPECT_EQ(AlphaOf(window), 180) << what;
        glass.SetGlassLevel(window, 0);
        EXPECT_EQ(AlphaOf(window), opaque) << what;
        EXPECT_EQ(fake.Window(window).exStyle & kExStyleLayered, programsLater ? kExStyleLayered : 0) << what;
    }
}

constexpr int kKeypad1 = 0x61;

class PollerTest : public testing::Desktop, public PopupControl {
protected:
    PollerTest() { poller.SetPopup(this); }
    void ShowMe() override { ++shows; }
    void ClosePopup() override { Desktop::ClosePopup(); }

    Poller poller{fake, store, settings, glass, windows, notice};
    int shows = 0;
};

TEST_F(PollerTest, APressCountsOnlyWhenItsKeyWasAlsoAskedAboutOnThePreviousTick) {
    settings.PopupKeys = 2;  // Alt with the right button; the hot-keys stay on Ctrl + Shift
    const std::vector<int> none, ctrlShift{kVkControl, kVkShift}, right{kVkRButton}, alt{kVkMenu};
    // Per tick: the keys held, and those pressed and released since the tick before.
    using Ticks = std::vector<std::pair<std::vector<int>, std::vector<int>>>;
    const std::tuple<const char*, Ticks, int, int> cases[] = {
        {"a digit typed long before the modifiers", {{none, {'2'}}, {none, none}, {ctrlShift, none}}, 255, 0},
        {"a digit tapped between two ticks while they are held", {{ctrlShift, none}, {ctrlShift, {'7'}}}, 210, 0},
        {"a second digit tapped just after a first", {{{kVkControl, kVkShift, '3'}, none}, {ctrlShift, {'7'}}}, 210, 0},
        {"Alt tapped long before the right button", {{none, alt}, {none, none}, {right, none}}, 255, 0},
        {"Alt tapped between two ticks while it is held", {{right, none}, {right, alt}}, 255, 1},
        {"the right button clicked between two ticks", {{alt, none}, {alt, right}}, 255, 1},
        // A digit 1-9 wins over 0, the lowest one wins; keypad digits are none.
        {"0 and 4", {{{kVkControl, kVkShift, '0', '4'}, none}}, 165, 0},
        {"a keypad digit", {{{kVkControl, kVkShift, kKeypad1}, none}}, 255, 0},
        {"7 and 2", {{{kVkControl, kVkShift, '7', '2'}, none}}, 135, 0},
        {"Alt held besides", {{{kVkControl, kVkShift, kVkMenu, '3'}, none}}, 150, 0},  // only the listed ones count
    };
    for (const auto& [what, ticks, alpha, opened] : cases) {
        Poller fresh{fake, store, settings, glass, windows, notice};
        fresh.SetPopup(this);
        shows = 0;
        fake.tappedKeys.clear();
        fake.Window(editor) = {L"EditorMain", L"notes.txt", 0, 100, 101};
        for (const auto& [held, tapped] : ticks) {
            fake.pressedKeys = {held.begin(), held.end()};
            fake.tappedKeys.insert(tapped.begin(), tapped.end());
            fresh.Tick();
        }
        EXPECT_EQ(std::make_pair(AlphaOf(editor), shows), std::make_pair(alpha, opened)) << what;
    }
}

TEST_F(PollerTest, ARememberedOpacityIsAppliedWhereItIsOne) {
    // The texts themselves convert as in the conversions table.
    const std::pair<std::optional<std::wstring>, std::pair<int, std::optional<std::wstring>>> records[] = {
        {L"4", {180, L"4"}},         {L"abc", {120, L"0"}},       {L"9", {255, L"9"}},
        {L"-1", {99, L"-1"}},        {L"12", {99, std::nullopt}}, {L"-5", {99, std::nullopt}},
        {std::nullopt, {99, std::nullopt}},
    };
    for (const auto& [record, expected] : records) {
        fake.RegDeleteKey(RegRoot::CurrentUser, testing::kTempPath);
        fake.Window(editor) = {L"EditorMain", L"notes.txt", 0, 100, 101, kExStyleLayered, LayeredAttributes{0, 99}};
        if (record) SetRecord(L"Wins", L"editor.exeEditorMain", *record);
        poller.ApplyRememberedAlpha();
        EXPECT_EQ(AlphaOf(editor), expected.first) << (record ? "record" : "none");
        EXPECT_EQ(Record(L"Temp", std::to_wstring(editor)), expected.second);
        fake.RegDeleteKey(RegRoot::CurrentUser, testing::kWinsPath);
    }
}

TEST_F(PollerTest, IdleTicksReadNothingUntilAnotherWindowComesToTheFront) {
    // A change of the store is proved end to end.
    SetRecord(L"Wins", L"editor.exeEditorMain", L"3");
    fake.RegNotifyChangeKeyValue(kApplicationKey);
    poller.Tick();  // gives the editor its opacity,
    poller.Tick();  // and reads once more the store that this changed
    const int reads = fake.reads;
    for (int tick = 0; tick < 100; ++tick) poller.Tick();
    EXPECT_EQ(std::make_pair(fake.reads, fake.snapshots), std::make_pair(reads, 1));

    // A window that answers but will not take its opacity is asked once in the run: no record, no
    // snapshot, no closed popup on later ticks; a new window that the system gives its handle is asked again.
    fake.failSetLayeredAttributes = true;
    const Hwnd refusing = fake.foreground = fake.AddWindow({L"EditorMain", L"third.txt", 0, 100, 101});
    const int snapshots = fake.snapshots, closes = popupCloses;
    for (const Hwnd front : {refusing, editor, refusing}) {
        fake.foreground = front;
        for (int tick = 0; tick < 50; ++tick) poller.Tick();
    }
    EXPECT_EQ(std::make_pair(fake.snapshots, popupCloses), std::make_pair(snapshots + 1, closes + 1));
    EXPECT_FALSE(Record(L"Temp", std::to_wstring(refusing)));
    fake.failSetLayeredAttributes = false;
    fake.Window(refusing).threadId = 103;
    for (const Hwnd front : {editor, refusing}) {
        fake.foreground = front;
        poller.Tick();
    }
    EXPECT_EQ(AlphaOf(refusing), 165);
    EXPECT_EQ(fake.OpenHandles(), 0);
}

TEST(PopupPosition, BesideThePointerWhereItFitsElseFlippedOntoTheWorkArea) {
    const Size popup{110, 239};
    const Rect screen{0, 0, 1024, 738};       // the taskbar below
    const Rect leftMonitor{-1280, -200, 0, 824};
    struct Case { Point cursor; Rect work; Point expected; };
    const Case cases[] = {
        {{500, 300}, screen, {382, 308}},  // right edge 8 left of the pointer, top 8 below
        {{2, 2}, screen, {10, 10}}, {{1021, 2}, screen, {903, 10}},  // the corners
        {{2, 735}, screen, {10, 488}}, {{1021, 735}, screen, {903, 488}},
        {{500, 760}, screen, {382, 499}},  // on the taskbar
        {{1030, 400}, screen, {912, 408}},  // right of the work area
        {{-600, 100}, leftMonitor, {-718, 108}}, {{-1275, 800}, leftMonitor, {-1267, 553}},
        {{-5, -195}, leftMonitor, {-123, -187}},
    };
    // Each expected place lies on the work area and leaves the pointer free.
    for (const Case& c : cases) {
        const Point at = PopupPosition(c.cursor, popup, c.work, 8);
        EXPECT_EQ(std::make_pair(at.x, at.y), std::make_pair(c.expected.x, c.expected.y)) << c.cursor.x << "," << c.cursor.y;
    }
}

using PopupLogicTest = testing::Desktop;

TEST_F(PopupLogicTest, AChoiceThatTheTargetDoesNotTakeIsNotSavedButExplainedOncePerWindow) {
    PopupLogic logic{fake, store, settings, glass, windows, notice};
    icon.Add({});
    const std::wstring perPixel = L"Lumvale: 这个窗口自己绘制透明效果，Lumvale 不改变它。";
    const std::wstring refused = L"Lumvale: 这个窗口不接受透明度的改变（它可能属于以管理员身份运行的程序）。";
    // Per target, what its program refuses, the control clicked and what was said so far. A hung target's list
    // choice: end to end.
    using F = fake::FakePlatform;
    using P = PopupLogic;
    const std::tuple<const char*, FakeWindow, bool F::*, void (P::*)(const PopupChoice&), std::vector<std::wstring>> cases[] = {
        {"an opacity, drawn per pixel", {L"PerPixel", L"", 0, 100, 101, kExStyleLayered}, nullptr, &P::ListChoice, {perPixel}},
        {"an opacity, refusing attributes", {L"Refusing", L"", 0, 100, 101}, &F::failSetLayeredAttributes, &P::ListChoice,
         {perPixel, refused}},
        {"on top, not answering", {L"Hung", L"", 0, 100, 101, 0, {}, true}, nullptr, &P::TopClicked, {perPixel, refused}},
        {"on top, refusing to move", {L"Refusing", L"", 0, 100, 101}, &F::failSetWindowPos, &P::TopClicked, {perPixel, refused}},
        {"see-through to the mouse, refusing the style", {L"Refusing", L"", 0, 100, 101, kExStyleLayered, LayeredAttributes{0, 150}},
         &F::failSetWindowLong, &P::ThroughClicked, {perPixel, refused, refused}}};
    for (const auto& [what, window, fails, handler, said] : cases) {
        const Hwnd target = fake.foreground = fake.AddWindow(window);
        fake.failSetLayeredAttributes = fake.failSetWindowPos = fake.failSetWindowLong = false;
        if (fails) fake.*fails = true;
        for (int twice = 0; twice < 2; ++twice) {
            ASSERT_TRUE(logic.ShowMe());
            (logic.*handler)({4, true, true, true});
        }
        const FakeWindow& w = fake.Window(target);
        EXPECT_EQ(std::make_tuple(w.exStyle, w.attributes.has_value(), w.props.empty()),
                  std::make_tuple(window.exStyle, window.attributes.has_value(), true)) << what;
        EXPECT_FALSE(fake.KeyExists(RegRoot::CurrentUser, testing::kTempPath) ||
                     fake.KeyExists(RegRoot::CurrentUser, testing::kWinsPath)) << what;
        EXPECT_EQ(fake.balloons, said) << what;
    }
    // The way back from a window the mouse passes through, once a window, names the hot-key's own keys (Ctrl +
    // Shift: end to end), and only the menu where they are off.
    fake.balloons.clear();
    const Hwnd through = fake.AddWindow({L"Through", L"", 0, 100, 101});
    for (const std::int16_t hotKeys : {5, 5}) notice.TellTheWayBack(through, HotKeyModifiers(hotKeys));
    notice.TellTheWayBack(fake.AddWindow({L"Through", L"", 0, 100, 101}), HotKeyModifiers(0));
    EXPECT_EQ(fake.balloons, (std::vector<std::wstring>{
        L"Lumvale: 鼠标现在会穿过这个窗口。要恢复：用 Alt+Tab 切换到它，再按 Alt + Shift + 0；或在托盘菜单中选择“还原所有窗口”。",
        L"Lumvale: 鼠标现在会穿过这个窗口。要恢复：在托盘菜单中选择“还原所有窗口”。"}));
}

TEST_F(PollerTest, TheIconIsAskedForOnceALookOfAShellThatAnswersAndNeverAddedTwice) {
    using M = NotifyIconMessage;
    const Hwnd shell = fake.AddWindow({L"Shell_TrayWnd"});
    fake.trayAnswers = false;  // a shell still starting at log-on
    icon.Add({});
    icon.KeepShown();  // each couple of seconds: whether it holds the icon after all,
    notice.Explain(editor, AlphaChange::Refused);  // nothing is said without the icon,
    fake.Window(shell).hung = true;
    icon.KeepShown();  // a shell too busy to answer is not asked,
    fake.Window(shell).hung = false;
    fake.trayAnswers = true;
    icon.KeepShown();  // then the add,
    icon.KeepShown();  // which it took
    EXPECT_EQ(std::exchange(fake.trayRequests, {}), (std::vector<M>{M::Add, M::Modify, M::Add}));
    notice.Explain(editor, AlphaChange::Refused);  // but once it is there
    EXPECT_EQ(fake.balloons.size(), 1u);
    // An add that timed out, and yet the icon came: a modify shows it is there; after a pause, the icon
    // of a shell that restarted meanwhile is gone.
    icon.Remove();
    fake.trayRequests.clear();
    fake.trayAnswers = false;
    icon.Add({});
    fake.trayAnswers = fake.trayHolds = true;
    icon.KeepShown();
    icon.KeepShown();
    fake.trayHolds = false;
    icon.Verify();
    icon.KeepShown();
    EXPECT_EQ(std::exchange(fake.trayRequests, {}), (std::vector<M>{M::Add, M::Modify, M::Modify, M::Add}));
    // Run elevated, it hears of a new taskbar: let through to its window on 7 and later, to the process on Vista.
    icon.HearFromTheShell(7, 49);
    fake.filterEx = false;
    icon.HearFromTheShell(7, 49);
    EXPECT_EQ(fake.letThrough, (std::vector<std::pair<Hwnd, std::uint32_t>>{{7, 49}, {0, 49}}));
}

TEST_F(PollerTest, ATaskbarThatDoesNotAnswerGetsItsAlphaAtALaterLookAndIsNotWaitedForTwice) {
    // The second one's shell is restarting: it does not answer (a taskbar that comes later: end to end).
    const Hwnd bars[] = {fake.AddWindow({L"Shell_TrayWnd"}), fake.AddWindow({L"Shell_SecondaryTrayWnd", L"", 0, 0, 0, 0, {}, true})};
    Store(store_names::kTaskbarAlpha, L"150");
    glass.ApplyTaskbarAlpha();
    EXPECT_EQ(std::make_pair(AlphaOf(bars[0]), AlphaOf(bars[1])), std::make_pair(150, 255));
    // The slider moves on while the first is made opaque (which dispatches messages): the look that starts
    // then ends the outer one, which would wait for the hung one a second time.
    fake.onDispatch = [&] { glass.SetTaskbarAlpha(200); };
    glass.SetTaskbarAlpha(255);
    EXPECT_EQ(std::make_pair(AlphaOf(bars[0]), fake.Window(bars[1]).asked), std::make_pair(200, 2));
    fake.Window(bars[1]).hung = false;
    const int reads = fake.reads;
    glass.LookForTaskbars();
    EXPECT_EQ(std::make_tuple(AlphaOf(bars[0]), AlphaOf(bars[1]), fake.reads), std::make_tuple(200, 200, reads));
}

TEST_F(PollerTest, ADesktopIsNoTargetAndAnAppFrameIsNamedAfterItsAppOnceThatMovedIn) {
    // The shell's surfaces and Lumvale's hidden windows by their classes: end to end.
    fake.shellWindow = editor;
    SetRecord(L"Wins", L"editor.exeEditorMain", L"3");
    fake.pressedKeys = {kVkControl, kVkShift, '3'};
    poller.Tick();
    EXPECT_EQ(AlphaOf(editor), 255);
    // An app's frame in front before its app moved in: named after the app once it has, not after the host;
    // one that never gets its app is looked at for a while, without a word to the store, then settled.
    fake.AddProcess(200, L"ApplicationFrameHost.exe");
    fake.RegNotifyChangeKeyValue(kApplicationKey);
    SetRecord(L"Wins", L"editor.exeApplicationFrameWindow", L"4");
    const Hwnd frame = fake.foreground = fake.AddWindow({L"ApplicationFrameWindow", L"Calculator", 0, 200, 201});
    fake.pressedKeys.clear();
    poller.Tick();
    EXPECT_EQ(windows.WindowIdentity(frame) + windows.ExeName(frame), L"");
    fake.AddWindow({L"Windows.UI.Core.CoreWindow", L"", frame, 100, 101});
    poller.Tick();
    EXPECT_EQ(std::make_pair(AlphaOf(frame), windows.ExeName(frame)), std::make_pair(180, std::wstring(L"editor.exe")));
    fake.foreground = fake.AddWindow({L"ApplicationFrameWindow", L"Suspended", 0, 200, 201});
    const int reads = fake.reads;
    for (int tick = 0; tick < 100; ++tick) poller.Tick();
    EXPECT_EQ(fake.reads - reads, 1) << "its run record, once";
}

TEST_F(PollerTest, ThePollStandsStillHalfASecondAfterTheLastInputAndGoesOnAtTheFirstOrWhereInputMayGoUnheard) {
    PollWake wake{fake, windows};
    icon.Add({});
    fake.integrity = {{0, 0x2000}, {100, 0x2000}, {300, 0x3000}};  // Lumvale, the editor: medium; 300: elevated
    const Hwnd fronts[] = {editor, fake.AddWindow({L"Admin", L"", 0, 300, 301}), 0};
    enum Front { kEditor, kElevated, kNothing };
    enum Act { kTick, kBusyTick, kKey, kKeyUp, kLetter, kMouse, kUnheard, kUnheardLook, kLook, kRegistering, kHotKey,
               kPause, kResume };
    // Per step: what happens, after how many ms, with which window in front; then whether it was a press to act
    // on at once, whether the poll runs, and whether the mouse is heard. A look is the slow one, or a foreground
    // event's; input unheard moves only the session's clock, as keys sent to an elevated window do.
    struct Step { const char* what; Act act; std::uint32_t ms; Front front; bool press, polling, mouse; };
    const Step steps[] = {
        {"a tick, input a moment ago", kTick, 300, kEditor, false, true, false},
        {"half a second without input", kTick, 300, kEditor, false, false, true},
        {"a look, nothing moved", kLook, 500, kEditor, false, false, true},
        {"the mouse moves", kMouse, 5000, kEditor, false, true, false},
        {"a key goes down", kKey, 10, kEditor, true, true, false},
        {"the system repeats it", kKey, 30, kEditor, false, true, false},
        {"a letter typed", kLetter, 10, kEditor, false, true, false},
        {"a modifier held for a second, as the hot-key repeats", kBusyTick, 1000, kEditor, false, true, false},
        {"let go", kKeyUp, 10, kEditor, false, true, false},
        {"the mouse moved, unheard", kUnheard, 400, kEditor, false, true, false},
        {"the rest after the key", kTick, 200, kEditor, false, true, false},
        {"a press as the mouse is registered", kRegistering, 400, kEditor, false, true, false},
        {"the rest after it", kTick, 500, kEditor, false, false, true},
        {"keys went unheard: the next look", kUnheardLook, 500, kEditor, false, true, false},
        {"locked", kPause, 10, kEditor, false, false, false},
        {"keys at the lock screen", kKey, 10, kEditor, false, false, false},
        {"unlocked", kResume, 10, kEditor, false, true, false},
        {"a rest, an elevated window in front", kTick, 600, kElevated, false, true, false},
        {"the editor in front again", kTick, 600, kEditor, false, false, true},
        {"an elevated window came to the front unheard: the next look", kLook, 500, kElevated, false, true, false},
        {"a hot-key there is refused, and said so", kHotKey, 50, kElevated, false, true, false},
        {"a rest later, the editor in front", kTick, 600, kEditor, false, false, true},
        {"nothing in front, as the secure desktop shows: the next look", kLook, 500, kNothing, false, true, false},
    };
    wake.Start(99);
    for (const Step& step : steps) {
        fake.now += step.ms;
        fake.foreground = fronts[step.front];
        bool press = false;
        switch (step.act) {
            case kTick: wake.AfterTick(false); break;
            case kBusyTick: fake.pressedKeys = {kVkControl}, poller.Tick(), wake.AfterTick(poller.Busy()); break;
            case kKey: case kKeyUp: press = wake.Heard({true, '3', step.act == kKeyUp}), fake.pressedKeys.clear(); break;
            case kLetter: press = wake.Heard({true, 'A', false}); break;
            case kMouse: wake.Heard({}); break;
            case kUnheard: fake.lastInput = fake.now; break;
            case kUnheardLook: fake.lastInput = fake.now; wake.Look(); break;
            case kLook: wake.Look(); break;
            case kRegistering: fake.onRegister = [&] { fake.lastInput = fake.now; }, wake.AfterTick(false); break;
            case kHotKey:  // refused, as the system refuses an elevated window's attributes
                fake.pressedKeys = {kVkControl, kVkShift, '3'};
                fake.failSetLayeredAttributes = true;
                if (wake.Polling()) poller.Tick();
                break;
            case kPause: case kResume: wake.Pause(step.act == kPause); break;
        }
        EXPECT_EQ(std::make_tuple(press, wake.Polling(), fake.hearing[RawInputDevice::Mouse] == 99),
                  std::make_tuple(step.press, step.polling, step.mouse)) << step.what;
    }
    EXPECT_EQ(fake.balloons.size(), 1u);
    // Where the system has no raw input (Windows 2000), or refuses it, the poll runs as it always did.
    fake.rawInput = false;
    PollWake without{fake, windows};
    without.Start(99);
    fake.now += 5000;
    without.AfterTick(false);
    EXPECT_TRUE(without.Polling());
}

TEST_F(PollerTest, AfterAPauseAnOpenPopupClosesAndNothingPressedBeforeItCounts) {
    fake.pressedKeys = {kVkControl, kVkShift, kVkRButton};
    poller.Tick();  // the popup opens; its digits were asked about
    fake.pressedKeys.clear();
    fake.tappedKeys = {kVkControl, kVkShift, '2', kVkRButton};  // pressed at the lock screen, during the pause
    poller.Resume();
    poller.Tick();
    EXPECT_EQ(std::make_tuple(popupCloses, poller.PopupTriggerState(), AlphaOf(editor)), std::make_tuple(1, 0, 255));
    // The display's state as the system sends it, the first time on registration.
    const auto broadcast = [](const Guid& setting, std::uint32_t length, std::uint32_t state) {
        std::array<unsigned char, 24> bytes{};
        std::memcpy(bytes.data(), &setting, 16);
        std::memcpy(bytes.data() + 16, &length, 4);
        std::memcpy(bytes.data() + 20, &state, 4);
        return bytes;
    };
    EXPECT_EQ(DisplayStateOf(broadcast(kSessionDisplayStatus, 4, kDisplayOff).data(), kSessionDisplayStatus), 0u);
    EXPECT_FALSE(DisplayStateOf(broadcast(kMonitorPowerOn, 4, kDisplayOff).data(), kSessionDisplayStatus));
    EXPECT_FALSE(DisplayStateOf(broadcast(kSessionDisplayStatus, 0, kDisplayOff).data(), kSessionDisplayStatus));
    // Each reason ends with its own counterpart, a connection with the display's too; the poll runs once none
    // holds (lock and unlock, a remote disconnect and connect: end to end). The console's display says
    // nothing of a remote session.
    struct Event { bool session; std::uint32_t code; bool runs; };  // a session change, else the display's state
    const std::tuple<DisplaySource, bool, std::vector<Event>> sequences[] = {
        {DisplaySource::Session, true, {{false, kDisplayOff, false}, {true, kSessionLock, false},
                                        {true, kSessionUnlock, false}, {false, kDisplayDimmed, true}}},
        {DisplaySource::Console, false, {{true, kConsoleDisconnect, false}, {true, kSessionLock, false},
                                         {true, kConsoleConnect, false}, {true, kSessionUnlock, true}}},
        {DisplaySource::Console, true, {{false, kDisplayOff, true}}},
        {DisplaySource::Console, false, {{false, kDisplayOff, false}, {true, kRemoteConnect, true},
                                         {false, kDisplayOff, true}, {true, kConsoleConnect, true},
                                         {false, kDisplayOff, false}}},
    };
    for (const auto& [source, remote, events] : sequences) {
        PollPause pause;  // Windows 2000 sends no event: it runs
        pause.Watch(source, remote);
        for (const Event& e : events)
            EXPECT_EQ(e.session ? pause.SessionChanged(e.code) : pause.DisplayChanged(e.code), e.runs) << &e - &events[0];
    }
}

}  // namespace
}  // namespace lumvale
