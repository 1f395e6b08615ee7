// Where the frame control puts its lines and band panels.
#include <gtest/gtest.h>

#include "controls/frame_layout.h"

namespace lumvale {
namespace {

constexpr int H = kColor3dHighlight, S = kColor3dShadow;

struct Segment {
    int colour, x1, y1, x2, y2;
};

// The twelve placements as absolute lines (inner lines moved out of the
// panel that holds them) and panels.
void Resolve(const std::array<FramePlacement, kFramePlacements>& placements, std::vector<Segment>& lines,
             std::vector<FramePanel>& panels) {
    std::array<FramePanel, kFramePanels> byElement{};
    for (const FramePlacement& p : placements)
        if (p.kind == FrameElementKind::Panel) {
            byElement[p.element] = p.panel;
            panels.push_back(p.panel);
        }
    for (const FramePlacement& p : placements) {
        if (p.kind != FrameElementKind::Line) continue;
        const FramePanel at = p.element >= 4 ? byElement[PanelHoldingLine(p.element)] : FramePanel{};
        lines.push_back({p.colour, p.line.x1 + at.left, p.line.y1 + at.top, p.line.x2 + at.left, p.line.y2 + at.top});
    }
}

TEST(Frame, ARaisedFrameOf31By29AndItsSunkenTwinDifferOnlyInColour) {
    const Segment raised[] = {
        {H, 0, 0, 30, 0}, {H, 0, 0, 0, 28}, {S, 0, 28, 30, 28}, {S, 30, 0, 30, 29},       // outer
        {S, 4, 3, 28, 3}, {S, 3, 3, 3, 27}, {H, 3, 25, 28, 25}, {H, 27, 3, 27, 26},   // inner
    };
    const FramePanel band[] = {{1, 1, 29, 3}, {1, 1, 3, 27}, {1, 25, 29, 3}, {27, 1, 2, 27}};
    for (const std::int32_t edge : {0, 1, 2}) {
        std::vector<Segment> lines;
        std::vector<FramePanel> panels;
        Resolve(FramePlacements(31, 29, 3, edge), lines, panels);
        ASSERT_EQ(lines.size(), 8u);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const Segment& want = raised[i];
            const int colour = edge == 0 ? want.colour : (want.colour == H ? S : H);
            EXPECT_EQ(std::tie(lines[i].colour, lines[i].x1, lines[i].y1, lines[i].x2, lines[i].y2),
                      std::tie(colour, want.x1, want.y1, want.x2, want.y2))
                << "edge " << edge << ", line " << i;
        }
        for (std::size_t i = 0; i < 4; ++i)
            EXPECT_EQ(std::tie(panels[i].left, panels[i].top, panels[i].width, panels[i].height),
                      std::tie(band[i].left, band[i].top, band[i].width, band[i].height))
                << "edge " << edge << ", panel " << i;
    }
    for (const FramePlacement& p : FramePlacements(31, 29, 0, 0))
        if (p.kind == FrameElementKind::Panel && p.element == 3) EXPECT_FALSE(p.placed) << "no room: left where it was";
}

}  // namespace
}  // namespace lumvale
