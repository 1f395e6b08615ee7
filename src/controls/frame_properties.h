#pragma once
// The two properties that a window gives each of its frames: the edge style
// and the width of the band in pixels at 96 dots per inch.

#include <cstdint>

namespace lumvale {

constexpr std::int32_t kDefaultEdge = 0;
constexpr std::int16_t kDefaultBorderWidth = 6;

struct FrameProperties {
    std::int32_t Edge = kDefaultEdge;
    std::int16_t BorderWidth = kDefaultBorderWidth;
};

}  // namespace lumvale
