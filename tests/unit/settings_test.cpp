// Stored texts to numbers, the settings read and written through them, the
// taskbar slider's arithmetic and the start-with-Windows entry.
#include <array>
#include <cfenv>
#include <optional>
#include <tuple>

#include "fake/fake_platform.h"
#include "settings/settings_editor.h"
#include "settings/startup_entry.h"
#include "settings/taskbar_slider.h"
#include "store/conversions.h"

namespace lumvale {
namespace {

using std::nullopt;

// A text, and what FlagFromText (1 on, 0 off), Int16FromText and RecordValueFromText make of it.
struct Conversion { std::wstring text; std::optional<int> flag, index, record; };

TEST(Conversions, FlagsIndexesAndRecordsFromEveryKindOfText) {
    const Conversion cases[] = {
        {L"1", 1, 1, 1}, {L" 1.0 ", 1, 1, 1}, {L"0", 0, 0, 0}, {L"2", 0, 2, 2}, {L"0.9999", 0, 1, 1},
        {L"2.5", 0, 2, 2}, {L"3.5", 0, 4, 4}, {L"-2.5", 0, -2, -2},  // halves go to the even neighbour
        {L"-1", 0, -1, -1}, {L"-32768", 0, -32768, -32768},
        {L"32767.5", 0, nullopt, nullopt}, {std::wstring(5000, L'9'), nullopt, nullopt, nullopt},  // beyond 16 bits
        {L"1e999", nullopt, nullopt, nullopt},
        {L"\t7 ", 0, 7, 0},  // a record is trimmed of blanks only
        {L"abc", nullopt, nullopt, 0}, {L"", nullopt, nullopt, 0}, {L"-", nullopt, nullopt, 0},
        {L"3abc", nullopt, nullopt, 3}, {L"1 2", nullopt, nullopt, 1}, {L"7e", nullopt, nullopt, 7},
        {L"1.5e1x", nullopt, nullopt, 15},
    };
    for (const Conversion& c : cases) {
        const std::string text(c.text.begin(), c.text.begin() + std::min<std::size_t>(c.text.size(), 12));
        const auto flag = FlagFromText(c.text);
        EXPECT_EQ(flag ? std::optional<int>(*flag) : nullopt, c.flag) << text;
        const auto index = Int16FromText(c.text);
        EXPECT_EQ(index ? std::optional<int>(*index) : nullopt, c.index) << text;
        const auto record = RecordValueFromText(c.text);
        EXPECT_EQ(record ? std::optional<int>(*record) : nullopt, c.record) << text;
    }
    // Whatever rounding mode another library left set.
    std::fesetround(FE_UPWARD);
    EXPECT_EQ(Int16FromText(L"2.5"), 2);
    EXPECT_EQ(std::fegetround(), FE_UPWARD) << "and it is left as it was";
    std::fesetround(FE_TONEAREST);
}

auto Fields(const Settings& s) { return std::make_tuple(s.RememberOn, s.BeepOn, s.PopupKeys, s.HotKeys); }

class SettingsStoreTest : public testing::Desktop {};

TEST_F(SettingsStoreTest, ReadingGivesDefaultsKeepsWhatDoesNotConvertAndSavingReadsBack) {
    // "提示：     ", "Beep", "RC", "KS" as stored (null: missing), and as read.
    const std::pair<std::array<const wchar_t*, 4>, Settings> cases[] = {
        {{nullptr, nullptr, nullptr, nullptr}, {false, false, 1, 6}},
        {{L"1", L"1", L"3", L"2"}, {true, true, 3, 2}},
        {{L"2", L"0", L"0", L"9"}, {false, false, 0, 9}},
        {{L"x", L"1x", L"", L"1 2"}, {false, false, 0, 0}},
    };
    const std::wstring* keys[] = {&store_names::kRemember, &store_names::kBeep, &store_names::kPopupKeys,
                                  &store_names::kHotKeys};
    for (const auto& [stored, expected] : cases) {
        fake.RegDeleteKey(RegRoot::CurrentUser, testing::kSettingsPath);
        for (int i = 0; i < 4; ++i)
            if (stored[i]) Store(*keys[i], stored[i]);
        Settings read;
        ReadSettings(store, read);
        EXPECT_EQ(Fields(read), Fields(expected));
        SaveSettings(store, read);
        Settings again{!read.RememberOn, !read.BeepOn, -5, -5};
        ReadSettings(store, again);
        EXPECT_EQ(Fields(again), Fields(read)) << "what is saved reads back";
    }
    // Where the account's own key is refused, Save says so and nothing takes effect.
    fake.readOnlyRoots = {RegRoot::CurrentUser};
    const Settings before = settings;
    EXPECT_FALSE(SettingsEditor(fake, store, settings, glass).Save({true, true, true, 3, 2}, 197, L"x").stored);
    EXPECT_EQ(Fields(settings), Fields(before));
    EXPECT_FALSE(fake.Value(RegRoot::LocalMachine, kRunKey, kStartupValueName));
    EXPECT_EQ(fake.OpenHandles(), 0);
}

constexpr std::int32_t kBar = 197;  // pTask's inner width at 96 dots per inch

class SliderTest : public testing::Desktop {
protected:
    SliderTest() { taskbar = fake.AddWindow({L"Shell_TrayWnd"}); }
    TaskbarSlider slider{store, glass};
    Hwnd taskbar = 0;
};

TEST_F(SliderTest, PositionsAndAlphasConvertHalvesToEvenOnlyTheLeftButtonDragsAndEveryStoredAlphaIsKept) {
    const std::pair<double, std::int32_t> positions[] = {{255, 197}, {105, 0}, {180, 98}, {50, -72}, {300, 256}};
    for (const auto& [alpha, position] : positions) EXPECT_EQ(SliderPosForAlpha(alpha, kBar), position) << alpha;
    EXPECT_FALSE(AlphaForSliderPos(5, 0)) << "a bar without width";

    struct Drag { double x; unsigned buttons; std::int32_t position; int alpha; };
    const Drag drags[] = {{-30, kSliderLeft, 0, 105},   {1, kSliderLeft, 1, 106},
                          {120, kSliderRight, 1, 106}, {120, kSliderLeft | kSliderRight, 1, 106},
                          {250, kSliderLeft, 197, 255}, {98.5, kSliderLeft, 98, 180}};
    for (const Drag& d : drags) {
        EXPECT_EQ(slider.Drag(d.x, d.buttons, kBar), d.buttons == kSliderLeft) << d.x;
        EXPECT_EQ(slider.SliderPos(), d.position) << d.x;
        EXPECT_EQ(AlphaOf(taskbar), d.alpha) << d.x;
    }
    slider.Rescale(kBar, 295);  // the bar at 150% display scale
    EXPECT_EQ(slider.SliderPos(), 147) << "the fill stays where it was";
    for (int alpha = 105; alpha <= 255; ++alpha) {  // opened and saved
        Store(store_names::kTaskbarAlpha, std::to_wstring(alpha));
        slider.Load(kBar);
        slider.Save(kBar);
        EXPECT_EQ(Record(store_names::kSettings, store_names::kTaskbarAlpha), std::to_wstring(alpha));
    }
    Store(store_names::kTaskbarAlpha, L"abc");
    slider.Load(kBar);
    EXPECT_EQ(slider.SliderPos(), 197) << "a value that is no number leaves the position";
}

using StartupTest = testing::Desktop;

TEST_F(StartupTest, TheMachineKeyFirstTheUsersWhereItIsRefusedNeverTwoAndTheTruthReported) {
    const std::wstring me = L"\"C:\\My Tools\\lumvale.exe\"", other = L"D:\\old\\lumvale.exe";
    const std::wstring unquoted = L"C:\\My Tools\\lumvale.exe";  // as earlier versions wrote it
    const std::wstring wow6432 = L"Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
    const std::wstring approved = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
    using Text = std::optional<std::wstring>;
    using O = StartupOutcome;
    // The exe on 32-bit Windows, the x86 exe on 64-bit Windows, the x64 exe. The machine's key, its 32-bit
    // copy (where earlier x86 builds wrote) and the user's. Besides: the entry the user switched off in Task
    // Manager; the machine's that the account may not switch on, and a 32-bit copy it may not change.
    enum Bits { k32, kWow, k64 };
    enum Extra { kNone, kMachineOff = 1, kUserOff = 2, kLocked32 = 4, kMachineSwitchRefused = 8 };
    struct Case {
        Bits bits; bool machineRefused, userRefused; Text machine, machine32, user; unsigned extra;  // before
        bool on; Text machineAfter, machine32After, userAfter; O outcome; bool starts;              // Save, and after
    };
    const Case cases[] = {
        {k32, false, false, {}, {}, {}, kNone, true, me, {}, {}, O::AsAsked, true},
        {k32, false, false, {}, {}, other, kNone, true, me, {}, {}, O::AsAsked, true},  // not in both: two copies would start
        {k32, true, false, other, {}, me, kNone, true, other, {}, {}, O::OtherProgram, true},
        {k32, false, false, other, {}, me, kNone, false, {}, {}, {}, O::AsAsked, false},
        {k32, true, false, other, {}, me, kNone, false, other, {}, {}, O::Refused, true},
        {k32, true, true, {}, {}, {}, kNone, false, {}, {}, {}, O::AsAsked, false},
        {k32, true, false, {}, {}, other, kNone, true, {}, {}, me, O::AsAsked, true},
        // Switched off in Task Manager: the box shows it off; ticking switches it on where the account may.
        {k32, false, false, me, {}, {}, kMachineOff, true, me, {}, {}, O::AsAsked, true},
        {k32, true, false, {}, {}, me, kUserOff, true, {}, {}, me, O::AsAsked, true},
        {k32, true, false, unquoted, {}, {}, kMachineOff | kMachineSwitchRefused, true, unquoted, {}, {}, O::SwitchedOff, false},
        // On 64-bit Windows the 64-bit view, which the x64 exe writes, for
        // both exes; an earlier x86 build's entry counts and never stays beside it.
        {kWow, false, false, unquoted, {}, {}, kNone, true, me, {}, {}, O::AsAsked, true},
        {kWow, false, false, other, {}, {}, kNone, false, {}, {}, {}, O::AsAsked, false},
        {kWow, false, false, {}, unquoted, {}, kNone, true, me, {}, {}, O::AsAsked, true},
        {kWow, false, false, {}, unquoted, other, kNone, false, {}, {}, {}, O::AsAsked, false},
        {kWow, true, false, {}, other, {}, kNone, true, {}, other, {}, O::OtherProgram, true},
        {kWow, false, false, {}, other, {}, kLocked32, true, {}, other, {}, O::OtherProgram, true},  // never two
        {k64, false, false, {}, me, {}, kNone, true, me, {}, {}, O::AsAsked, true},
        {k64, true, false, {}, me, {}, kNone, false, {}, me, {}, O::Refused, true},
    };
    const auto entry = [&](RegRoot root, const std::wstring& path) { return fake.Value(root, path, kStartupValueName); };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        fake.readOnlyRoots.clear();
        fake.Unlock();
        fake.wow64 = c.bits == kWow;
        fake.x64 = c.bits == k64;
        for (const auto& [root, path] : {std::pair{RegRoot::LocalMachine, kRunKey}, {RegRoot::LocalMachine, wow6432},
                                         {RegRoot::CurrentUser, kRunKey}, {RegRoot::LocalMachine, approved},
                                         {RegRoot::CurrentUser, approved}})
            fake.RegDeleteKey(root, path);
        if (c.machine) fake.SetValue(RegRoot::LocalMachine, kRunKey, kStartupValueName, *c.machine);
        if (c.machine32) fake.SetValue(RegRoot::LocalMachine, wow6432, kStartupValueName, *c.machine32);
        if (c.user) fake.SetValue(RegRoot::CurrentUser, kRunKey, kStartupValueName, *c.user);
        if (c.extra & kMachineOff) fake.SetBinary(RegRoot::LocalMachine, approved, kStartupValueName, 3);
        if (c.extra & kUserOff) fake.SetBinary(RegRoot::CurrentUser, approved, kStartupValueName, 3);
        if (c.extra & kLocked32 || c.machineRefused) fake.Lock(RegRoot::LocalMachine, wow6432);
        if (c.extra & kMachineSwitchRefused) fake.Lock(RegRoot::LocalMachine, approved);
        if (c.machineRefused) fake.Lock(RegRoot::LocalMachine, kRunKey);
        if (c.userRefused) fake.readOnlyRoots.insert(RegRoot::CurrentUser);
        EXPECT_EQ(StartsWithWindows(fake), !(c.extra & (kMachineOff | kUserOff)) && (c.machine || c.machine32 || c.user));
        const StartupResult result = SetStartsWithWindows(fake, c.on, me);
        const std::wstring other = c.outcome == O::OtherProgram ? c.machineAfter.value_or(c.machine32After.value_or(L"")) : L"";
        EXPECT_EQ(std::make_pair(result.outcome, result.other), std::make_pair(c.outcome, other));
        EXPECT_EQ(std::make_tuple(entry(RegRoot::LocalMachine, kRunKey), entry(RegRoot::LocalMachine, wow6432),
                                  entry(RegRoot::CurrentUser, kRunKey), StartsWithWindows(fake)),
                  std::make_tuple(c.machineAfter, c.machine32After, c.userAfter, c.starts));
    }
    EXPECT_EQ(fake.OpenHandles(), 0);
}

TEST_F(StartupTest, EntriesAreReadTrimmedAndCommandsAreTheProgramsOwnPath) {
    const std::pair<std::wstring, std::wstring> stored[] = {
        {L"    ", L""}, {std::wstring(1500, L'x'), std::wstring(1023, L'x')}};  // longer than the buffer: present
    for (const auto& [text, read] : stored) {
        fake.SetValue(RegRoot::LocalMachine, kRunKey, kStartupValueName, text);
        EXPECT_EQ(GetStartupEntry(fake, RunKeys(fake).front(), kStartupValueName), read);
    }
    const std::pair<std::wstring, std::wstring> commands[] = {
        {L"C:\\Lumvale.EXE", L"C:\\Lumvale.exe"},  // no doubled \ at a drive's root
        {L"C:\\My Tools\\lumvale.exe", L"\"C:\\My Tools\\lumvale.exe\""}};  // else C:\My.exe would start
    for (const auto& [module, command] : commands) EXPECT_EQ(StartupCommandForModule(module), command);
}

}  // namespace
}  // namespace lumvale
