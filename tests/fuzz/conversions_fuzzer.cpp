// Any text through every conversion of stored values: nothing may crash or
// misbehave under the sanitizers, and the conversions must agree with each
// other whatever rounding mode was left set. Bytes are characters; the top
// sixteen stand for full-width digits, which are no digits here.
#include <cfenv>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "store/conversions.h"

using namespace lumvale;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::wstring text;
    for (std::size_t i = 0; i < size; ++i)
        text += data[i] >= 0xF0 ? static_cast<wchar_t>(0xFF10 + (data[i] & 0x0F)) : static_cast<wchar_t>(data[i]);
    const auto number = ParseNumber(text);
    if (number != ParseNumber(L" \t" + text + L"\t ")) std::abort();  // blanks around are nothing
    if (FlagFromText(text) != (number ? std::optional<bool>(*number == 1.0) : std::nullopt)) std::abort();
    const auto index = Int16FromText(text);
    if (index != (number ? RoundToInt16(*number) : std::nullopt)) std::abort();
    if (RecordValueFromText(text) != RoundToInt16(LeadingNumber(TrimBlanks(text)))) std::abort();
    if (LeadingNumber(text + L"x%") != LeadingNumber(text)) std::abort();  // it looks no further

    double raw = 0;
    std::memcpy(&raw, data, std::min(size, sizeof(raw)));
    const auto nearest = RoundToInt16(raw);
    for (int mode : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        std::fesetround(mode);
        const auto rounded = RoundToInt16(raw);
        const bool kept = std::fegetround() == mode;
        std::fesetround(FE_TONEAREST);
        if (rounded != nearest || !kept) std::abort();
    }
    return 0;
}
