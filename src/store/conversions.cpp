#include "store/conversions.h"

#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace lumvale {
namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t'; }

// Scans the longest decimal number starting at `pos` into `ascii`; returns the
// position after it, or `pos` when there is none.
std::size_t ScanNumber(const std::wstring& text, std::size_t pos, std::string& ascii) {
    std::size_t i = pos;
    std::string out;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) out += static_cast<char>(text[i++]);
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) { out += static_cast<char>(text[i++]); ++digits; }
    if (i < text.size() && text[i] == L'.') {
        out += '.';
        ++i;
        while (i < text.size() && IsDigit(text[i])) { out += static_cast<char>(text[i++]); ++digits; }
    }
    if (digits == 0) return pos;
    if (i < text.size() && (text[i] == L'e' || text[i] == L'E' || text[i] == L'd' || text[i] == L'D')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == L'+' || text[j] == L'-')) exponent += static_cast<char>(text[j++]);
        std::size_t expDigits = 0;
        while (j < text.size() && IsDigit(text[j])) { exponent += static_cast<char>(text[j++]); ++expDigits; }
        if (expDigits > 0) { out += exponent; i = j; }
    }
    ascii = out;
    return i;
}

double ToDouble(const std::string& ascii) { return std::strtod(ascii.c_str(), nullptr); }

template <typename Int>
std::optional<Int> RoundTo(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(saved);
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(rounded);
}

}  // namespace

std::wstring TrimBlanks(const std::wstring& text) {
    const auto first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return {};
    const auto last = text.find_last_not_of(L' ');
    return text.substr(first, last - first + 1);
}

std::optional<double> ParseNumber(const std::wstring& text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    std::string ascii;
    const std::size_t end = ScanNumber(text, i, ascii);
    if (end == i) return std::nullopt;
    for (std::size_t j = end; j < text.size(); ++j)
        if (!IsSpace(text[j])) return std::nullopt;
    const double value = ToDouble(ascii);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

double LeadingNumber(const std::wstring& text) {
    std::string ascii;
    if (ScanNumber(text, 0, ascii) == 0) return 0.0;
    return ToDouble(ascii);
}

std::optional<std::int16_t> RoundToInt16(double value) { return RoundTo<std::int16_t>(value); }
std::optional<std::int32_t> RoundToInt32(double value) { return RoundTo<std::int32_t>(value); }

std::optional<bool> FlagFromText(const std::wstring& text) {
    const auto number = ParseNumber(text);
    if (!number) return std::nullopt;
    return *number == 1.0;
}

std::optional<std::int16_t> Int16FromText(const std::wstring& text) {
    const auto number = ParseNumber(text);
    if (!number) return std::nullopt;
    return RoundToInt16(*number);
}

std::optional<std::int16_t> RecordValueFromText(const std::wstring& text) {
    return RoundToInt16(LeadingNumber(TrimBlanks(text)));
}

std::wstring DecimalText(std::int32_t value) { return std::to_wstring(value); }

}  // namespace lumvale
