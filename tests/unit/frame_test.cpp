#include <gtest/gtest.h>

#include <climits>

#include "controls/frame_layout.h"
#include "controls/frame_properties.h"

namespace lumvale {
namespace {

constexpr int H = kColor3dHighlight;
constexpr int S = kColor3dShadow;

enum Step { kOuterTop, kOuterLeft, kOuterBottom, kOuterRight, kTopPanel, kLeftPanel, kBottomPanel,
            kRightPanel, kInnerTop, kInnerLeft, kInnerBottom, kInnerRight };

using Placements = std::array<FramePlacement, kFramePlacements>;

void ExpectLine(const FramePlacement& p, int element, int colour, int x1, int y1, int x2, int y2) {
    EXPECT_EQ(p.kind, FrameElementKind::Line);
    EXPECT_EQ(p.element, element);
    EXPECT_EQ(p.colour, colour);
    EXPECT_TRUE(p.placed);
    EXPECT_EQ(p.line.x1, x1);
    EXPECT_EQ(p.line.y1, y1);
    EXPECT_EQ(p.line.x2, x2);
    EXPECT_EQ(p.line.y2, y2);
}

void ExpectPanel(const FramePlacement& p, int element, int left, int top, int width, int height) {
    EXPECT_EQ(p.kind, FrameElementKind::Panel);
    EXPECT_EQ(p.element, element);
    EXPECT_TRUE(p.placed);
    EXPECT_EQ(p.panel.left, left);
    EXPECT_EQ(p.panel.top, top);
    EXPECT_EQ(p.panel.width, width);
    EXPECT_EQ(p.panel.height, height);
}

// An inner line in control coordinates, through the panel that holds it.
FrameLine Absolute(const Placements& all, int step) {
    const FramePlacement& line = all[step];
    for (const auto& p : all) {
        if (p.kind == FrameElementKind::Panel && p.element == PanelHoldingLine(line.element)) {
            return {static_cast<std::int16_t>(line.line.x1 + p.panel.left),
                    static_cast<std::int16_t>(line.line.y1 + p.panel.top),
                    static_cast<std::int16_t>(line.line.x2 + p.panel.left),
                    static_cast<std::int16_t>(line.line.y2 + p.panel.top)};
        }
    }
    ADD_FAILURE() << "no panel holds line " << line.element;
    return {};
}

void ExpectAbsolute(const Placements& all, int step, int x1, int y1, int x2, int y2) {
    const FrameLine line = Absolute(all, step);
    EXPECT_EQ(line.x1, x1);
    EXPECT_EQ(line.y1, y1);
    EXPECT_EQ(line.x2, x2);
    EXPECT_EQ(line.y2, y2);
}

TEST(FrameLayout, RaisedFrameOf31By29WithBand3) {
    const Placements all = FramePlacements(31, 29, 3, 0);
    ExpectLine(all[kOuterTop], 0, H, 0, 0, 30, 0);
    ExpectLine(all[kOuterLeft], 1, H, 0, 0, 0, 28);
    ExpectLine(all[kOuterBottom], 2, S, 0, 28, 30, 28);
    ExpectLine(all[kOuterRight], 3, S, 30, 0, 30, 29);
    ExpectPanel(all[kTopPanel], 0, 1, 1, 29, 3);
    ExpectPanel(all[kLeftPanel], 1, 1, 1, 3, 27);
    ExpectPanel(all[kBottomPanel], 2, 1, 25, 29, 3);
    ExpectPanel(all[kRightPanel], 3, 27, 1, 2, 27);
    // Inner lines in their panel's coordinates: the top panel's bottom row,
    // the left panel's right column, the bottom panel's top row, the right
    // panel's left column.
    ExpectLine(all[kInnerTop], 4, S, 3, 2, 27, 2);
    ExpectLine(all[kInnerLeft], 5, S, 2, 2, 2, 26);
    ExpectLine(all[kInnerBottom], 6, H, 2, 0, 27, 0);
    ExpectLine(all[kInnerRight], 7, H, 0, 2, 0, 25);
    ExpectAbsolute(all, kInnerTop, 4, 3, 28, 3);
    ExpectAbsolute(all, kInnerLeft, 3, 3, 3, 27);
    ExpectAbsolute(all, kInnerBottom, 3, 25, 28, 25);
    ExpectAbsolute(all, kInnerRight, 27, 3, 27, 26);
}

TEST(FrameLayout, AnyOtherEdgeIsTheSameGeometryWithEveryColourSwapped) {
    const Placements raised = FramePlacements(31, 29, 3, 0);
    const Placements sunken = FramePlacements(31, 29, 3, 1);
    for (int step = 0; step < kFramePlacements; ++step) {
        SCOPED_TRACE(step);
        const FramePlacement& r = raised[step];
        const FramePlacement& s = sunken[step];
        EXPECT_EQ(s.kind, r.kind);
        EXPECT_TRUE(s.placed);
        EXPECT_NE(s.element, r.element);
        if (r.kind == FrameElementKind::Line) {
            EXPECT_EQ(s.colour, r.colour == H ? S : H);
            EXPECT_EQ(s.colour, FrameLineColour(s.element));
            EXPECT_EQ(s.line.x1, r.line.x1);
            EXPECT_EQ(s.line.y1, r.line.y1);
            EXPECT_EQ(s.line.x2, r.line.x2);
            EXPECT_EQ(s.line.y2, r.line.y2);
        } else {
            EXPECT_EQ(s.panel.left, r.panel.left);
            EXPECT_EQ(s.panel.top, r.panel.top);
            EXPECT_EQ(s.panel.width, r.panel.width);
            EXPECT_EQ(s.panel.height, r.panel.height);
        }
    }
    // Each panel keeps its own line, so a sunken inner line still lies where
    // the raised one does.
    for (int step = kInnerTop; step <= kInnerRight; ++step) {
        const FrameLine r = Absolute(raised, step), s = Absolute(sunken, step);
        EXPECT_EQ(s.x1, r.x1);
        EXPECT_EQ(s.y2, r.y2);
    }
    for (const std::int32_t edge : {2, -1, INT32_MIN, INT32_MAX}) {
        const Placements other = FramePlacements(31, 29, 3, edge);
        for (int step = 0; step < kFramePlacements; ++step) {
            EXPECT_EQ(other[step].element, sunken[step].element) << "edge " << edge << " step " << step;
            EXPECT_EQ(other[step].colour, sunken[step].colour) << "edge " << edge << " step " << step;
        }
    }
}

TEST(FrameLayout, BandPanelsStackInPlaceOrder) {
    const Placements raised = FramePlacements(31, 29, 3, 0);
    const Placements sunken = FramePlacements(31, 29, 3, 1);
    const auto raisedOrder = BandPanelsBottomToTop(0);
    const auto sunkenOrder = BandPanelsBottomToTop(1);
    EXPECT_EQ(raisedOrder, (std::array<int, 4>{0, 1, 2, 3}));
    EXPECT_EQ(sunkenOrder, (std::array<int, 4>{3, 2, 1, 0}));
    // Top, left, bottom, right: the same places in the same stacking order.
    for (int i = 0; i < kFramePanels; ++i) {
        EXPECT_EQ(raisedOrder[i], raised[kTopPanel + i].element);
        EXPECT_EQ(sunkenOrder[i], sunken[kTopPanel + i].element);
    }
}

TEST(FrameLayout, PlacementsThatDoNotFitAreSkippedAlone) {
    // Band 0: the right panel would be -1 wide; the empty top panel is fine.
    Placements all = FramePlacements(31, 29, 0, 0);
    EXPECT_FALSE(all[kRightPanel].placed);
    for (int step = 0; step < kFramePlacements; ++step)
        if (step != kRightPanel) EXPECT_TRUE(all[step].placed) << step;
    EXPECT_EQ(all[kTopPanel].panel.height, 0);

    // A negative band: no panel fits, every line still does.
    all = FramePlacements(31, 29, -4, 1);
    for (int step = 0; step < kFramePlacements; ++step)
        EXPECT_EQ(all[step].placed, all[step].kind == FrameElementKind::Line) << step;
    EXPECT_EQ(all[kInnerTop].line.y1, -5);

    // A band wider than half the control: panels overlap but all fit.
    all = FramePlacements(31, 29, 20, 0);
    for (const auto& p : all) EXPECT_TRUE(p.placed);
    EXPECT_EQ(all[kBottomPanel].panel.top, 8);
    EXPECT_EQ(all[kInnerTop].line.x2, 10);

    // Too small to hold anything: panels of negative size are skipped.
    all = FramePlacements(1, 5, 3, 0);
    EXPECT_FALSE(all[kTopPanel].placed);
    EXPECT_FALSE(all[kBottomPanel].placed);
    ExpectPanel(all[kLeftPanel], 1, 1, 1, 3, 3);
    ExpectPanel(all[kRightPanel], 3, -3, 1, 2, 3);
    EXPECT_EQ(all[kOuterTop].line.x2, 0);

    // Line coordinates outside 16 bits skip just the lines that reach them.
    all = FramePlacements(40000, 29, 3, 0);
    EXPECT_TRUE(all[kOuterLeft].placed);
    EXPECT_FALSE(all[kOuterTop].placed);
    EXPECT_FALSE(all[kOuterBottom].placed);
    EXPECT_FALSE(all[kOuterRight].placed);
    EXPECT_FALSE(all[kInnerTop].placed);
    EXPECT_TRUE(all[kInnerLeft].placed);
    EXPECT_FALSE(all[kInnerBottom].placed);
    EXPECT_TRUE(all[kInnerRight].placed);
    ExpectPanel(all[kTopPanel], 0, 1, 1, 39998, 3);

    all = FramePlacements(31, 29, INT16_MIN, 0);
    for (int step = kInnerTop; step <= kInnerRight; ++step) EXPECT_FALSE(all[step].placed) << step;
    for (int step = kOuterTop; step <= kOuterRight; ++step) EXPECT_TRUE(all[step].placed) << step;

    // The extremes of the inputs, where panel coordinates leave 32 bits.
    all = FramePlacements(INT32_MAX, INT32_MIN, INT16_MIN, 0);
    for (const auto& p : all) EXPECT_FALSE(p.placed);
}

TEST(FrameProperties, MissingOrBadValuesReadAsTheDefaults) {
    FrameProperties read = ReadFrameProperties({});
    EXPECT_EQ(read.Edge, 0);
    EXPECT_EQ(read.BorderWidth, 6);

    read = ReadFrameProperties({{L"Edge", L"1"}, {L"BorderWidth", L"3"}});
    EXPECT_EQ(read.Edge, 1);
    EXPECT_EQ(read.BorderWidth, 3);
    read = ReadFrameProperties({{L"Edge", L"-70000"}, {L"BorderWidth", L"-2"}});
    EXPECT_EQ(read.Edge, -70000);
    EXPECT_EQ(read.BorderWidth, -2);

    for (const wchar_t* bad : {L"", L"abc", L"3x", L"40000", L"1e300", L"99999999999"}) {
        read = ReadFrameProperties({{L"Edge", bad}, {L"BorderWidth", bad}});
        EXPECT_EQ(read.BorderWidth, 6) << bad;
        if (std::wstring(bad) != L"40000") EXPECT_EQ(read.Edge, 0) << bad;
    }
    const std::wstring longText(100000, L'7');
    EXPECT_EQ(ReadFrameProperties({{L"BorderWidth", longText}}).BorderWidth, 6);
}

TEST(FrameProperties, OnlyValuesOtherThanTheDefaultsAreSaved) {
    PropertyBag layout;
    WriteFrameProperties({0, 6}, layout);
    EXPECT_TRUE(layout.empty());

    WriteFrameProperties({1, 3}, layout);
    EXPECT_EQ(layout, (PropertyBag{{L"Edge", L"1"}, {L"BorderWidth", L"3"}}));
    FrameProperties read = ReadFrameProperties(layout);
    EXPECT_EQ(read.Edge, 1);
    EXPECT_EQ(read.BorderWidth, 3);

    // Saved back to the defaults over an older layout: no stale value stays.
    layout[L"Other"] = L"x";
    WriteFrameProperties({0, 6}, layout);
    EXPECT_EQ(layout, (PropertyBag{{L"Other", L"x"}}));

    WriteFrameProperties({INT32_MIN, INT16_MIN}, layout);
    read = ReadFrameProperties(layout);
    EXPECT_EQ(read.Edge, INT32_MIN);
    EXPECT_EQ(read.BorderWidth, INT16_MIN);
}

}  // namespace
}  // namespace lumvale
