// Layout arithmetic: the display scale's twips, pixels and fonts at each DPI,
// and where the frame control puts its lines and band panels.
#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "controls/frame_layout.h"
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

TEST(Frame, ARaisedFrameOf31By29AndItsSunkenTwinDifferOnlyInColour) {
    // By place: the outer top, left, bottom and right lines; the top, left,
    // bottom and right panels; the inner lines, in their panels' coordinates.
    // First the colour when raised (1 highlight, 0 shadow; -1 a panel).
    const std::array<int, 5> places[] = {
        {1, 0, 0, 30, 0},   {1, 0, 0, 0, 28},   {0, 0, 28, 30, 28}, {0, 30, 0, 30, 29},
        {-1, 1, 1, 29, 3},  {-1, 1, 1, 3, 27},  {-1, 1, 25, 29, 3}, {-1, 27, 1, 2, 27},
        {0, 3, 2, 27, 2},   {0, 2, 2, 2, 26},   {1, 2, 0, 27, 0},   {1, 0, 2, 0, 25}};
    for (const std::int32_t edge : {0, 1, 2}) {
        const auto placements = FramePlacements(31, 29, 3, edge);
        for (std::size_t i = 0; i < placements.size(); ++i) {
            const FramePlacement& p = placements[i];
            std::array<int, 5> expected = places[i];
            if (expected[0] >= 0 && edge != 0) expected[0] = 1 - expected[0];  // sunken: every colour swapped
            const auto actual = p.kind == FrameElementKind::Panel
                                    ? std::array<int, 5>{-1, p.panel.left, p.panel.top, p.panel.width, p.panel.height}
                                    : std::array<int, 5>{p.colour == kColor3dHighlight, p.line.x1, p.line.y1,
                                                         p.line.x2, p.line.y2};
            EXPECT_EQ(actual, expected) << "edge " << edge << ", place " << i;
            if (i >= 8) EXPECT_EQ(PanelHoldingLine(p.element), placements[i - 4].element) << "held by its panel";
        }
    }
    EXPECT_FALSE(FramePlacements(31, 29, 0, 0)[7].placed) << "no room: the element stays where it was";
}

}  // namespace
}  // namespace lumvale
