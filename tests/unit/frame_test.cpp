#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "controls/frame_layout.h"
#include "controls/frame_properties.h"

namespace lumvale {
namespace {

enum Step { kOuterTop, kOuterLeft, kOuterBottom, kOuterRight, kTopPanel, kLeftPanel, kBottomPanel,
            kRightPanel, kInnerTop, kInnerLeft, kInnerBottom, kInnerRight };
using Placements = std::array<FramePlacement, kFramePlacements>;

// "L1(4) S 3,2-27,2", "L2(0) 1,1 29x3" or "skipped"; inner lines also in
// control coordinates, through the panel that holds them.
std::string Describe(const Placements& all, int step, bool withElement = true) {
    const FramePlacement& p = all[step];
    if (!p.placed) return "skipped";
    const auto n = [](int value) { return std::to_string(value); };
    std::string text = withElement ? (p.kind == FrameElementKind::Line ? "L1(" : "L2(") + n(p.element) + ") " : "";
    if (p.kind == FrameElementKind::Panel)
        return text + n(p.panel.left) + "," + n(p.panel.top) + " " + n(p.panel.width) + "x" + n(p.panel.height);
    text += std::string(p.colour == kColor3dHighlight ? "H " : p.colour == kColor3dShadow ? "S " : "? ");
    text += n(p.line.x1) + "," + n(p.line.y1) + "-" + n(p.line.x2) + "," + n(p.line.y2);
    if (step < kInnerTop) return text;
    const FramePanel& holder = all[kTopPanel + step - kInnerTop].panel;
    EXPECT_EQ(all[kTopPanel + step - kInnerTop].element, PanelHoldingLine(p.element));
    return text + " = " + n(holder.left + p.line.x1) + "," + n(holder.top + p.line.y1) + "-" +
           n(holder.left + p.line.x2) + "," + n(holder.top + p.line.y2);
}

TEST(FrameLayout, RaisedFrameOf31By29WithBand3) {
    const Placements all = FramePlacements(31, 29, 3, 0);
    const char* expected[kFramePlacements] = {
        "L1(0) H 0,0-30,0",   "L1(1) H 0,0-0,28",   "L1(2) S 0,28-30,28", "L1(3) S 30,0-30,29",
        "L2(0) 1,1 29x3",     "L2(1) 1,1 3x27",     "L2(2) 1,25 29x3",    "L2(3) 27,1 2x27",
        // The panel's bottom row, right column, top row, left column.
        "L1(4) S 3,2-27,2 = 4,3-28,3",  "L1(5) S 2,2-2,26 = 3,3-3,27",
        "L1(6) H 2,0-27,0 = 3,25-28,25", "L1(7) H 0,2-0,25 = 27,3-27,26",
    };
    for (int step = 0; step < kFramePlacements; ++step) EXPECT_EQ(Describe(all, step), expected[step]);
}

TEST(FrameLayout, AnyOtherEdgeIsTheSameGeometryWithEveryColourSwapped) {
    const Placements raised = FramePlacements(31, 29, 3, 0);
    const Placements sunken = FramePlacements(31, 29, 3, 1);
    for (int step = 0; step < kFramePlacements; ++step) {
        std::string swapped = Describe(raised, step, false);
        if (swapped[0] == 'H' || swapped[0] == 'S') swapped[0] = swapped[0] == 'H' ? 'S' : 'H';
        EXPECT_EQ(Describe(sunken, step, false), swapped) << step;
        EXPECT_NE(sunken[step].element, raised[step].element) << step;
        if (sunken[step].kind == FrameElementKind::Line)
            EXPECT_EQ(sunken[step].colour, FrameLineColour(sunken[step].element)) << step;
        for (const std::int32_t edge : {2, -1, INT32_MIN, INT32_MAX})
            EXPECT_EQ(Describe(FramePlacements(31, 29, 3, edge), step), Describe(sunken, step)) << edge;
    }
    // Stacked by place, top to right, so that corners overlap alike.
    EXPECT_EQ(BandPanelsBottomToTop(0), (std::array<int, 4>{0, 1, 2, 3}));
    EXPECT_EQ(BandPanelsBottomToTop(1), (std::array<int, 4>{3, 2, 1, 0}));
    EXPECT_EQ(BandPanelsBottomToTop(-7), BandPanelsBottomToTop(1));
}

TEST(FrameLayout, PlacementsThatDoNotFitAreSkippedAlone) {
    const auto skipped = [](const Placements& all) {
        std::string steps;
        for (int step = 0; step < kFramePlacements; ++step)
            if (!all[step].placed) steps += std::to_string(step) + " ";
        return steps;
    };
    // Band 0: the right panel would be -1 wide; the empty top panel is fine.
    EXPECT_EQ(skipped(FramePlacements(31, 29, 0, 0)), "7 ");
    EXPECT_EQ(Describe(FramePlacements(31, 29, 0, 0), kTopPanel), "L2(0) 1,1 29x0");
    // A negative band: no panel fits, every line still does.
    EXPECT_EQ(skipped(FramePlacements(31, 29, -4, 1)), "4 5 6 7 ");
    EXPECT_EQ(Describe(FramePlacements(31, 29, -4, 1), kInnerTop, false), "H -4,-5-34,-5 = -4,-5-34,-5");
    // A band wider than half the control: the panels overlap, all placed.
    EXPECT_EQ(skipped(FramePlacements(31, 29, 20, 0)), "");
    EXPECT_EQ(Describe(FramePlacements(31, 29, 20, 0), kBottomPanel), "L2(2) 1,8 29x20");
    // Too small to hold a top and a bottom panel.
    EXPECT_EQ(skipped(FramePlacements(1, 5, 3, 0)), "4 6 ");
    // Line coordinates outside 16 bits skip just the lines that reach them.
    EXPECT_EQ(skipped(FramePlacements(40000, 29, 3, 0)), "0 2 3 8 10 ");
    EXPECT_EQ(Describe(FramePlacements(40000, 29, 3, 0), kTopPanel), "L2(0) 1,1 39998x3");
    EXPECT_EQ(skipped(FramePlacements(31, 29, INT16_MIN, 0)), "4 5 6 7 8 9 10 11 ");
    EXPECT_EQ(skipped(FramePlacements(INT32_MAX, INT32_MIN, INT16_MIN, 0)), "0 1 2 3 4 5 6 7 8 9 10 11 ");
}

TEST(FrameProperties, MissingOrBadValuesReadAsTheDefaults) {
    const auto read = [](const PropertyBag& layout) {
        const FrameProperties p = ReadFrameProperties(layout);
        return std::to_string(p.Edge) + " " + std::to_string(p.BorderWidth);
    };
    EXPECT_EQ(read({}), "0 6");
    EXPECT_EQ(read({{L"Edge", L"1"}, {L"BorderWidth", L"3"}}), "1 3");
    EXPECT_EQ(read({{L"Edge", L"-70000"}, {L"BorderWidth", L"-2"}}), "-70000 -2");
    for (const wchar_t* bad : {L"", L"abc", L"3x", L"1e300", L"99999999999"})
        EXPECT_EQ(read({{L"Edge", bad}, {L"BorderWidth", bad}}), "0 6");
    EXPECT_EQ(read({{L"BorderWidth", L"40000"}}), "0 6");
    EXPECT_EQ(read({{L"BorderWidth", std::wstring(100000, L'7')}}), "0 6");
}

TEST(FrameProperties, OnlyValuesOtherThanTheDefaultsAreSaved) {
    PropertyBag layout;
    WriteFrameProperties({0, 6}, layout);
    EXPECT_TRUE(layout.empty());
    WriteFrameProperties({1, 3}, layout);
    EXPECT_EQ(layout, (PropertyBag{{L"Edge", L"1"}, {L"BorderWidth", L"3"}}));
    // Saved back to the defaults over an older layout: no stale value stays.
    layout[L"Other"] = L"x";
    WriteFrameProperties({0, 6}, layout);
    EXPECT_EQ(layout, (PropertyBag{{L"Other", L"x"}}));
    WriteFrameProperties({INT32_MIN, INT16_MIN}, layout);
    const FrameProperties read = ReadFrameProperties(layout);
    EXPECT_EQ(read.Edge, INT32_MIN);
    EXPECT_EQ(read.BorderWidth, INT16_MIN);
}

}  // namespace
}  // namespace lumvale
