#pragma once
// The geometry of cFrame's DrawFrame: where its twelve child elements go.
//
// The frame is built from elements rather than drawn: four one-pixel lines
// L1(0..3) on the control's own surface (the outer edge), four band panels
// L2(0..3), and one line L1(4 + i) inside each panel L2(i) (the inner edge).
// Both edge styles share one geometry; the style only decides which element
// takes which place, and with it the colours.

#include <array>
#include <cstdint>

namespace lumvale {

// System colour indexes of the two line colours.
constexpr int kColor3dShadow = 16;     // COLOR_3DSHADOW
constexpr int kColor3dHighlight = 20;  // COLOR_3DHIGHLIGHT

constexpr std::int32_t kEdgeRaised = 0;  // any other Edge is sunken

constexpr int kFrameLines = 8;
constexpr int kFramePanels = 4;
constexpr int kFramePlacements = 12;

// The fixed colour of line element L1(line).
int FrameLineColour(int line);

// The panel L2 that holds line L1(line), for the inner lines 4..7.
constexpr int PanelHoldingLine(int line) { return line - 4; }

// The end point (x2, y2) is not painted.
struct FrameLine {
    std::int16_t x1 = 0;
    std::int16_t y1 = 0;
    std::int16_t x2 = 0;
    std::int16_t y2 = 0;
};

struct FramePanel {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

enum class FrameElementKind { Line, Panel };

struct FramePlacement {
    FrameElementKind kind = FrameElementKind::Line;
    int element = 0;  // L1(element) or L2(element)
    int colour = 0;   // system colour index, lines only
    // False when the geometry does not fit (a line outside 16 bits, a panel
    // with a negative size): the element keeps its previous place.
    bool placed = false;
    FrameLine line;    // lines 9-12 in the coordinates of their panel
    FramePanel panel;
};

// The twelve placements of DrawFrame in their order: outer top, left,
// bottom and right line; top, left, bottom and right panel; inner top,
// left, bottom and right line. `width` and `height` are the control's client
// size in pixels.
std::array<FramePlacement, kFramePlacements> FramePlacements(std::int32_t width, std::int32_t height,
                                                             std::int16_t borderWidth, std::int32_t edge);

// The band panels from bottom to top of the z-order: the panels of the top,
// left, bottom and right place, so that where two overlap in a corner the
// later place lies above whatever the style. That makes a sunken frame the
// exact colour swap of a raised one.
std::array<int, kFramePanels> BandPanelsBottomToTop(std::int32_t edge);

}  // namespace lumvale
