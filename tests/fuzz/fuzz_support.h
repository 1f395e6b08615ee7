#pragma once
// What every fuzz target needs: turning the fuzzer's bytes into stored text
// and failing loudly, with the text, when a property does not hold.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace lumvale::fuzz {

// The bytes as UTF-8, so that corpus files stay readable; a byte that does
// not start a valid sequence stands for the character of the same number.
// Characters beyond U+FFFF become surrogate pairs, as Windows stores them.
inline std::wstring TextFromBytes(const std::uint8_t* data, std::size_t size) {
    std::wstring text;
    text.reserve(size);
    std::size_t i = 0;
    while (i < size) {
        const std::uint8_t lead = data[i];
        std::size_t length = 0;
        std::uint32_t code = 0;
        std::uint32_t lowest = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2; code = lead & 0x1Fu; lowest = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3; code = lead & 0x0Fu; lowest = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4; code = lead & 0x07u; lowest = 0x10000;
        }
        bool valid = length > 0 && i + length <= size;
        for (std::size_t k = 1; valid && k < length; ++k) {
            valid = (data[i + k] & 0xC0u) == 0x80u;
            code = (code << 6) | (data[i + k] & 0x3Fu);
        }
        valid = valid && code >= lowest && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        if (!valid) {
            text += static_cast<wchar_t>(lead);
            ++i;
            continue;
        }
        if (code > 0xFFFF) {
            code -= 0x10000;
            text += static_cast<wchar_t>(0xD800 + (code >> 10));
            text += static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
        } else {
            text += static_cast<wchar_t>(code);
        }
        i += length;
    }
    return text;
}

// The text for a message: printable ASCII as it is, the rest as \u escapes,
// long texts cut.
inline std::string Printable(const std::wstring& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size() && i < 200; ++i) {
        const auto c = static_cast<std::uint32_t>(text[i]);
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char escaped[16];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(c));
            out += escaped;
        }
    }
    if (text.size() > 200) out += "... (" + std::to_string(text.size()) + " characters)";
    return out;
}

// A broken property is a finding: abort, so that libFuzzer keeps the input.
inline void Require(bool holds, const char* property, const std::wstring& text) {
    if (holds) return;
    std::fprintf(stderr, "property broken: %s\n  text: \"%s\"\n", property, Printable(text).c_str());
    std::abort();
}

}  // namespace lumvale::fuzz
