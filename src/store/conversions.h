#pragma once
// Text-to-number conversions of stored values. Every stored value is text;
// a text that does not convert makes the caller skip its assignment.

#include <cstdint>
#include <optional>
#include <string>

namespace lumvale {

// Removes leading and trailing blanks (spaces only).
std::wstring TrimBlanks(const std::wstring& text);

// The whole text (surrounding blanks and tabs allowed) as a decimal number:
// sign, digits, optional fraction, optional exponent. Empty text, any other
// character and an infinite result give nothing.
std::optional<double> ParseNumber(const std::wstring& text);

// The number at the start of the text, 0 when it has none.
double LeadingNumber(const std::wstring& text);

// Rounds to the nearest integer, halves to the even neighbour; nothing when
// the result does not fit.
std::optional<std::int16_t> RoundToInt16(double value);
std::optional<std::int32_t> RoundToInt32(double value);

// A flag is on when its number equals 1; nothing when the text is no number.
std::optional<bool> FlagFromText(const std::wstring& text);

// An index or an alpha: the whole text as a 16-bit integer.
std::optional<std::int16_t> Int16FromText(const std::wstring& text);

// A record value ("Wins", "Temp"): trimmed, leading number, 16-bit integer.
std::optional<std::int16_t> RecordValueFromText(const std::wstring& text);

std::wstring DecimalText(std::int32_t value);

}  // namespace lumvale
