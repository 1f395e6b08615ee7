// Layouts at the display's scale: twips, pixel sizes and fonts at each DPI.
#include <gtest/gtest.h>

#include <tuple>

#include "platform/dpi.h"

namespace lumvale {
namespace {

TEST(Scale, TwipsPixelsAndFontsConvertAtEachDpiAsAt15TwipsToThePixelAt96) {
    // dpi, twips → pixels: the popup's width and height, a clipped control's
    // offset, a width that is no multiple of 15, the gap to the pointer.
    const std::tuple<int, int, int> twips[] = {
        {96, 1650, 110}, {96, 3585, 239}, {96, -30, -2}, {96, 685, 45}, {96, 120, 8},
        {120, 1650, 137}, {120, 120, 10}, {144, 1650, 165}, {144, 3585, 358}, {144, 120, 12}, {192, -30, -4}};
    for (const auto& [dpi, value, pixels] : twips) EXPECT_EQ(Dpi{dpi}.Px(value), pixels) << dpi << " " << value;
    // dpi, pixels at 96 → pixels: frame bands and line thickness.
    const std::tuple<int, int, int> sizes[] = {{96, 3, 3}, {120, 3, 3}, {144, 3, 4}, {144, 2, 3}, {192, 1, 2}};
    for (const auto& [dpi, value, pixels] : sizes) EXPECT_EQ(Dpi{dpi}.Scale(value), pixels) << dpi << " " << value;
    // dpi, hundredths of a point → font height.
    const std::tuple<int, int, int> fonts[] = {{96, 825, 11}, {96, 5400, 72}, {120, 825, 14}, {144, 900, 18}};
    for (const auto& [dpi, points, pixels] : fonts) EXPECT_EQ(Dpi{dpi}.FontHeight(points), pixels) << dpi << " " << points;
}

}  // namespace
}  // namespace lumvale
