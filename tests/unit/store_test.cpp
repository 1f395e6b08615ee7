// Stored texts to numbers, and the settings read and written through them.
#include <array>
#include <cfenv>
#include <optional>

#include "fake/fake_platform.h"
#include "store/conversions.h"

namespace lumvale {
namespace {

using std::nullopt;

struct Conversion {
    std::wstring text;
    std::optional<int> flag;   // FlagFromText: 1 on, 0 off
    std::optional<int> index;  // Int16FromText
    std::optional<int> record; // RecordValueFromText
};

TEST(Conversions, FlagsIndexesAndRecordsFromEveryKindOfText) {
    const Conversion cases[] = {
        {L"1", 1, 1, 1},
        {L" 1.0 ", 1, 1, 1},
        {L"1e0", 1, 1, 1},
        {L"0", 0, 0, 0},
        {L"2", 0, 2, 2},
        {L"0.9999", 0, 1, 1},
        {L"2.5", 0, 2, 2},  // halves go to the even neighbour
        {L"3.5", 0, 4, 4},
        {L"-2.5", 0, -2, -2},
        {L"-1", 0, -1, -1},
        {L"  -1  ", 0, -1, -1},
        {L"-32768", 0, -32768, -32768},
        {L"32767.5", 0, nullopt, nullopt},  // beyond 16 bits
        {L"40000", 0, nullopt, nullopt},
        {std::wstring(5000, L'9'), nullopt, nullopt, nullopt},
        {L"1e999", nullopt, nullopt, nullopt},
        {L"\t7 ", 0, 7, 0},  // a record is trimmed of blanks only
        {L"abc", nullopt, nullopt, 0},
        {L"", nullopt, nullopt, 0},
        {L"-", nullopt, nullopt, 0},
        {L"3abc", nullopt, nullopt, 3},
        {L"1x", nullopt, nullopt, 1},
        {L"1 2", nullopt, nullopt, 1},
        {L"7e", nullopt, nullopt, 7},
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
    EXPECT_EQ(fake.OpenHandles(), 0);
}

}  // namespace
}  // namespace lumvale
