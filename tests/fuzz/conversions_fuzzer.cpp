// Every text-to-number conversion of stored values against the reference
// rules, on any text. One row of kChecks per conversion.

#include <cfenv>
#include <cmath>
#include <cstring>

#include "store/conversions.h"
#include "settings/taskbar_slider.h"
#include "fuzz_support.h"
#include "reference_numbers.h"

namespace lumvale::fuzz {
namespace {

struct Input {
    std::wstring text;
    // The first bytes taken as numbers, for the conversions that start from one.
    double rawDouble = 0;
    std::int32_t rawInt32 = 0;
};

// The same number, or both nothing; -0 and 0 count as the same number.
template <typename A, typename B>
bool Same(const std::optional<A>& actual, const std::optional<B>& expected) {
    return actual.has_value() == expected.has_value() && (!actual || *actual == *expected);
}

void CheckTrimBlanks(const Input& in) {
    const std::wstring trimmed = TrimBlanks(in.text);
    Require(trimmed == WithoutOuterBlanks(in.text), "TrimBlanks removes exactly the outer blanks", in.text);
}

void CheckParseNumber(const Input& in) {
    const auto value = ParseNumber(in.text);
    Require(Same(value, WholeNumber(in.text)), "ParseNumber accepts the number grammar, whole text", in.text);
    Require(!value || std::isfinite(*value), "ParseNumber gives finite numbers only", in.text);
    Require(Same(ParseNumber(L" \t" + in.text + L"\t "), value),
            "ParseNumber ignores blanks and tabs around the text", in.text);
}

void CheckLeadingNumber(const Input& in) {
    const double value = LeadingNumber(in.text);
    Require(value == LeadingNumberOf(in.text), "LeadingNumber is the longest number at the start", in.text);
    Require(LeadingNumber(in.text + L"x%") == value, "LeadingNumber does not look past its number", in.text);
}

// Rounding must not depend on the rounding mode a caller or a DLL left set,
// and must leave that mode as it found it.
void CheckRounding(double value, const std::wstring& context) {
    const auto expected16 = RoundedToInt16(value);
    const auto expected32 = RoundedToInt32(value);
    const int saved = std::fegetround();
    for (int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        std::fesetround(mode);
        const auto rounded16 = RoundToInt16(value);
        const auto rounded32 = RoundToInt32(value);
        const bool modeKept = std::fegetround() == mode;
        std::fesetround(saved);
        Require(Same(rounded16, expected16), "RoundToInt16 rounds halves to even, nothing out of range",
                context);
        Require(Same(rounded32, expected32), "RoundToInt32 rounds halves to even, nothing out of range",
                context);
        Require(modeKept, "rounding leaves the rounding mode as it was", context);
    }
}

void CheckRoundingOfRawDouble(const Input& in) { CheckRounding(in.rawDouble, L"first eight bytes"); }

void CheckRoundingOfParsedText(const Input& in) {
    if (const auto value = WholeNumber(in.text)) CheckRounding(*value, in.text);
    CheckRounding(LeadingNumberOf(in.text), in.text);
}

void CheckFlagFromText(const Input& in) {
    Require(Same(FlagFromText(in.text), FlagOf(in.text)), "a flag is on exactly when its text is the number 1",
            in.text);
}

void CheckInt16FromText(const Input& in) {
    Require(Same(Int16FromText(in.text), Int16Of(in.text)),
            "Int16FromText is the rounded whole-text number or nothing", in.text);
}

void CheckRecordValueFromText(const Input& in) {
    const auto value = RecordValueFromText(in.text);
    Require(Same(value, RecordValueOf(in.text)),
            "RecordValueFromText is the rounded leading number of the trimmed text or nothing", in.text);
    Require(RecordValueFromText(L"   " + in.text + L"  ") == value,
            "RecordValueFromText ignores blanks around the text", in.text);
}

// Every 16-bit value that is saved reads back as itself.
void CheckEverySixteenBitValueReadsBack() {
    for (std::int32_t n = INT16_MIN; n <= INT16_MAX; ++n) {
        const std::wstring text = DecimalText(n);
        Require(Int16FromText(text) == n, "Int16FromText reads back DecimalText", text);
        Require(RecordValueFromText(text) == n, "RecordValueFromText reads back DecimalText", text);
    }
}

void CheckDecimalTextRoundTrip(const Input& in) {
    const std::wstring text32 = DecimalText(in.rawInt32);
    Require(ParseNumber(text32) == static_cast<double>(in.rawInt32), "ParseNumber reads back DecimalText", text32);
    const std::size_t digitsFrom = text32[0] == L'-' ? 1 : 0;
    const bool plain = text32.size() > digitsFrom && (text32[digitsFrom] != L'0' || text32.size() == 1) &&
                       text32.find_first_not_of(L"0123456789", digitsFrom) == std::wstring::npos;
    Require(plain, "DecimalText is a minus and digits, no blanks, no leading zeros", text32);
}

// The slider's arithmetic on any stored alpha and any bar width: a position
// kept on the bar always gives an alpha the taskbar can take, and a stored
// whole alpha comes back unchanged when the bar has a pixel per step.
void CheckSliderArithmetic(const Input& in) {
    const std::int32_t width = 1 + (in.rawInt32 & 0x3FFF);
    const auto position = SliderPosForAlpha(in.rawDouble, width);
    if (!position) return;
    const std::int32_t onBar = *position < 0 ? 0 : (*position > width ? width : *position);
    const auto alpha = AlphaForSliderPos(onBar, width);
    Require(alpha && *alpha >= 105 && *alpha <= 255, "a position on the bar gives an alpha of 105 to 255",
            in.text);
    const bool wholeAlpha = in.rawDouble >= 105 && in.rawDouble <= 255 && in.rawDouble == std::floor(in.rawDouble);
    if (wholeAlpha && width >= 150)
        Require(AlphaForSliderPos(*position, width) == static_cast<std::int16_t>(in.rawDouble),
                "a stored whole alpha comes back through the slider", in.text);
}

void (*const kChecks[])(const Input&) = {
    CheckTrimBlanks,
    CheckParseNumber,
    CheckLeadingNumber,
    CheckRoundingOfRawDouble,
    CheckRoundingOfParsedText,
    CheckFlagFromText,
    CheckInt16FromText,
    CheckRecordValueFromText,
    CheckDecimalTextRoundTrip,
    CheckSliderArithmetic,
};

}  // namespace
}  // namespace lumvale::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    lumvale::fuzz::CheckEverySixteenBitValueReadsBack();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumvale::fuzz;
    Input in;
    in.text = TextFromBytes(data, size);
    std::uint8_t raw[8] = {};
    std::memcpy(raw, data, size < sizeof raw ? size : sizeof raw);
    std::memcpy(&in.rawDouble, raw, sizeof in.rawDouble);
    std::memcpy(&in.rawInt32, raw, sizeof in.rawInt32);
    for (const auto check : kChecks) check(in);
    return 0;
}
