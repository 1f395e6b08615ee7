#pragma once
// A second, deliberately different statement of the rules by which stored
// texts become numbers, for the fuzz targets to compare the program against:
// the number grammar as a state machine, values by wcstod, rounding by floor.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cwchar>
#include <optional>
#include <string>

namespace lumvale::fuzz {

// sign? (digits ("." digits?)? | "." digits) (("e"|"E"|"d"|"D") sign? digits)?
// The exponent belongs to the number only when it has a digit.
inline std::size_t NumberLengthAt(const std::wstring& text, std::size_t start) {
    enum State { Begin, Signed, Whole, WholePoint, BarePoint, Fraction, Mark, MarkSigned, Exponent, Stop };
    auto digit = [](wchar_t c) { return c >= L'0' && c <= L'9'; };
    auto sign = [](wchar_t c) { return c == L'+' || c == L'-'; };
    auto mark = [](wchar_t c) { return c == L'e' || c == L'E' || c == L'd' || c == L'D'; };
    State state = Begin;
    std::size_t accepted = 0;
    for (std::size_t i = start; i < text.size() && state != Stop; ++i) {
        const wchar_t c = text[i];
        switch (state) {
            case Begin: state = sign(c) ? Signed : digit(c) ? Whole : c == L'.' ? BarePoint : Stop; break;
            case Signed: state = digit(c) ? Whole : c == L'.' ? BarePoint : Stop; break;
            case Whole: state = digit(c) ? Whole : c == L'.' ? WholePoint : mark(c) ? Mark : Stop; break;
            case WholePoint:
            case Fraction: state = digit(c) ? Fraction : mark(c) ? Mark : Stop; break;
            case BarePoint: state = digit(c) ? Fraction : Stop; break;
            case Mark: state = sign(c) ? MarkSigned : digit(c) ? Exponent : Stop; break;
            case MarkSigned:
            case Exponent: state = digit(c) ? Exponent : Stop; break;
            case Stop: break;
        }
        if (state == Whole || state == WholePoint || state == Fraction || state == Exponent)
            accepted = i + 1 - start;
    }
    return accepted;
}

// The value of a text that NumberLengthAt accepted whole.
inline double NumberValue(std::wstring number) {
    for (auto& c : number)
        if (c == L'd' || c == L'D') c = L'e';
    return std::wcstod(number.c_str(), nullptr);
}

inline bool IsBlankOrTab(wchar_t c) { return c == L' ' || c == L'\t'; }

// The whole text as a number, blanks and tabs around it allowed; nothing for
// any other text and for a number too large for a double.
inline std::optional<double> WholeNumber(const std::wstring& text) {
    std::size_t begin = 0;
    while (begin < text.size() && IsBlankOrTab(text[begin])) ++begin;
    const std::size_t length = NumberLengthAt(text, begin);
    if (length == 0) return std::nullopt;
    for (std::size_t i = begin + length; i < text.size(); ++i)
        if (!IsBlankOrTab(text[i])) return std::nullopt;
    const double value = NumberValue(text.substr(begin, length));
    if (std::isinf(value)) return std::nullopt;
    return value;
}

// The number at the very start of the text, 0 when there is none; may be
// infinite.
inline double LeadingNumberOf(const std::wstring& text) {
    const std::size_t length = NumberLengthAt(text, 0);
    return length == 0 ? 0.0 : NumberValue(text.substr(0, length));
}

inline std::wstring WithoutOuterBlanks(std::wstring text) {
    while (!text.empty() && text.back() == L' ') text.pop_back();
    std::size_t begin = 0;
    while (begin < text.size() && text[begin] == L' ') ++begin;
    return text.substr(begin);
}

// The nearest integer, halves to the even one; nothing outside lo..hi.
inline std::optional<std::int64_t> RoundedHalfEven(double value, std::int64_t lo, std::int64_t hi) {
    if (!std::isfinite(value) || value < static_cast<double>(lo) - 1 || value > static_cast<double>(hi) + 1)
        return std::nullopt;
    const double below = std::floor(value);
    const double fraction = value - below;  // exact for every double
    std::int64_t nearest = static_cast<std::int64_t>(below);
    if (fraction > 0.5 || (fraction == 0.5 && nearest % 2 != 0)) ++nearest;
    if (nearest < lo || nearest > hi) return std::nullopt;
    return nearest;
}

inline std::optional<std::int64_t> RoundedToInt16(double value) { return RoundedHalfEven(value, INT16_MIN, INT16_MAX); }
inline std::optional<std::int64_t> RoundedToInt32(double value) { return RoundedHalfEven(value, INT32_MIN, INT32_MAX); }

// A record value: trimmed of blanks, its leading number, rounded to 16 bits.
inline std::optional<std::int64_t> RecordValueOf(const std::wstring& text) {
    return RoundedToInt16(LeadingNumberOf(WithoutOuterBlanks(text)));
}

// A flag or an index stored in the settings: the whole text as a number.
inline std::optional<bool> FlagOf(const std::wstring& text) {
    const auto number = WholeNumber(text);
    if (!number) return std::nullopt;
    return *number == 1.0;
}
inline std::optional<std::int64_t> Int16Of(const std::wstring& text) {
    const auto number = WholeNumber(text);
    if (!number) return std::nullopt;
    return RoundedToInt16(*number);
}

}  // namespace lumvale::fuzz
