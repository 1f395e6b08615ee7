#include "controls/frame_properties.h"

#include "store/conversions.h"

namespace lumvale {
namespace {

constexpr wchar_t kEdgeName[] = L"Edge";
constexpr wchar_t kBorderWidthName[] = L"BorderWidth";

const std::wstring* Find(const PropertyBag& layout, const wchar_t* name) {
    const auto found = layout.find(name);
    return found == layout.end() ? nullptr : &found->second;
}

void Write(PropertyBag& layout, const wchar_t* name, std::int32_t value, std::int32_t defaultValue) {
    if (value == defaultValue)
        layout.erase(name);
    else
        layout[name] = DecimalText(value);
}

}  // namespace

FrameProperties ReadFrameProperties(const PropertyBag& layout) {
    FrameProperties properties;
    if (const auto* text = Find(layout, kEdgeName)) {
        if (const auto number = ParseNumber(*text)) {
            if (const auto edge = RoundToInt32(*number)) properties.Edge = *edge;
        }
    }
    if (const auto* text = Find(layout, kBorderWidthName)) {
        if (const auto width = Int16FromText(*text)) properties.BorderWidth = *width;
    }
    return properties;
}

void WriteFrameProperties(const FrameProperties& properties, PropertyBag& layout) {
    Write(layout, kEdgeName, properties.Edge, kDefaultEdge);
    Write(layout, kBorderWidthName, properties.BorderWidth, kDefaultBorderWidth);
}

}  // namespace lumvale
