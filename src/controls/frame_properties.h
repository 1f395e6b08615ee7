#pragma once
// The frame properties that are kept with the layout of the window holding
// a cFrame: "Edge" and "BorderWidth". Each is written only when it differs
// from its default, so a missing one reads as the default.

#include <cstdint>
#include <map>
#include <string>

namespace lumvale {

// A window layout's stored properties, by name, as decimal text.
using PropertyBag = std::map<std::wstring, std::wstring>;

constexpr std::int32_t kDefaultEdge = 0;
constexpr std::int16_t kDefaultBorderWidth = 6;

struct FrameProperties {
    std::int32_t Edge = kDefaultEdge;
    std::int16_t BorderWidth = kDefaultBorderWidth;
};

// A missing value, or one that is no number of its type, reads as the
// default.
FrameProperties ReadFrameProperties(const PropertyBag& layout);

// Writes each value that differs from its default and removes one that does
// not, so that a layout saved over an older one keeps no stale value.
void WriteFrameProperties(const FrameProperties& properties, PropertyBag& layout);

}  // namespace lumvale
