#include "store/conversions.h"

#include <gtest/gtest.h>

namespace lumvale {
namespace {

TEST(Conversions, FlagsAreOnOnlyForTheNumberOne) {
    EXPECT_EQ(FlagFromText(L"1"), true);
    EXPECT_EQ(FlagFromText(L" 1.0 "), true);
    EXPECT_EQ(FlagFromText(L"1e0"), true);
    EXPECT_EQ(FlagFromText(L"0"), false);
    EXPECT_EQ(FlagFromText(L"2"), false);
    EXPECT_EQ(FlagFromText(L"-1"), false);
    EXPECT_EQ(FlagFromText(L"0.9999"), false);
    // Not numbers: the caller keeps what it had.
    EXPECT_EQ(FlagFromText(L""), std::nullopt);
    EXPECT_EQ(FlagFromText(L"yes"), std::nullopt);
    EXPECT_EQ(FlagFromText(L"1x"), std::nullopt);
    EXPECT_EQ(FlagFromText(L"1e999"), std::nullopt);
}

TEST(Conversions, IndexesRoundHalvesToEvenAndRejectWhatDoesNotFit) {
    EXPECT_EQ(Int16FromText(L"6"), 6);
    EXPECT_EQ(Int16FromText(L"2.5"), 2);
    EXPECT_EQ(Int16FromText(L"3.5"), 4);
    EXPECT_EQ(Int16FromText(L"-2.5"), -2);
    EXPECT_EQ(Int16FromText(L"2.51"), 3);
    EXPECT_EQ(Int16FromText(L"-32768"), -32768);
    EXPECT_EQ(Int16FromText(L"32767.4"), 32767);
    EXPECT_EQ(Int16FromText(L"32767.5"), std::nullopt);
    EXPECT_EQ(Int16FromText(L"-32768.6"), std::nullopt);
    EXPECT_EQ(Int16FromText(L"99999999999999999999"), std::nullopt);
    EXPECT_EQ(Int16FromText(L"abc"), std::nullopt);
    EXPECT_EQ(Int16FromText(L"  "), std::nullopt);
    EXPECT_EQ(Int16FromText(L"1 2"), std::nullopt);
    EXPECT_EQ(Int16FromText(L"\t7 "), 7);
}

TEST(Conversions, RecordValuesTakeTheLeadingNumberOfTheTrimmedText) {
    EXPECT_EQ(RecordValueFromText(L"4"), 4);
    EXPECT_EQ(RecordValueFromText(L"  -1  "), -1);
    EXPECT_EQ(RecordValueFromText(L"3abc"), 3);
    EXPECT_EQ(RecordValueFromText(L"abc"), 0);
    EXPECT_EQ(RecordValueFromText(L""), 0);
    EXPECT_EQ(RecordValueFromText(L"-"), 0);
    EXPECT_EQ(RecordValueFromText(L"2.5%"), 2);
    EXPECT_EQ(RecordValueFromText(L".5"), 0);
    EXPECT_EQ(RecordValueFromText(L"1.5e1x"), 15);
    EXPECT_EQ(RecordValueFromText(L"7e"), 7);
    EXPECT_EQ(RecordValueFromText(L"40000"), std::nullopt);
    EXPECT_EQ(RecordValueFromText(std::wstring(5000, L'9')), std::nullopt);
}

TEST(Conversions, TrimRemovesOnlyBlanksAndDecimalTextHasNoBlanks) {
    EXPECT_EQ(TrimBlanks(L"  a b  "), L"a b");
    EXPECT_EQ(TrimBlanks(L"    "), L"");
    EXPECT_EQ(TrimBlanks(L"\ta\t"), L"\ta\t");
    EXPECT_EQ(DecimalText(-1), L"-1");
    EXPECT_EQ(DecimalText(65572), L"65572");
}

}  // namespace
}  // namespace lumvale
