#include "controls/frame_layout.h"

#include <cstdint>

#include "store/conversions.h"

namespace lumvale {
namespace {

enum Place { kTop, kLeft, kBottom, kRight };
constexpr int kFirstOuterLine = 0, kFirstPanel = 0, kFirstInnerLine = 4;

// The element of a group of four (outer lines, panels, inner lines) that
// takes a place: a sunken frame takes them in reverse, which swaps every
// colour.
int ElementFor(int first, int place, std::int32_t edge) {
    return first + (edge == kEdgeRaised ? place : 3 - place);
}

FramePlacement Line(int element, double x1, double y1, double x2, double y2) {
    FramePlacement placement;
    placement.kind = FrameElementKind::Line;
    placement.element = element;
    placement.colour = FrameLineColour(element);
    const auto rx1 = RoundToInt16(x1), ry1 = RoundToInt16(y1);
    const auto rx2 = RoundToInt16(x2), ry2 = RoundToInt16(y2);
    placement.placed = rx1 && ry1 && rx2 && ry2;
    if (placement.placed) placement.line = {*rx1, *ry1, *rx2, *ry2};
    return placement;
}

FramePlacement Panel(int element, std::int64_t left, std::int64_t top, std::int64_t width,
                     std::int64_t height) {
    FramePlacement placement;
    placement.kind = FrameElementKind::Panel;
    placement.element = element;
    // With both sizes non-negative every coordinate fits in 32 bits.
    placement.placed = width >= 0 && height >= 0;
    if (placement.placed) {
        placement.panel = {static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
                           static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
    }
    return placement;
}

}  // namespace

int FrameLineColour(int line) {
    switch (line) {
        case 0: case 1: case 6: case 7: return kColor3dHighlight;
        default: return kColor3dShadow;
    }
}

std::array<FramePlacement, kFramePlacements> FramePlacements(std::int32_t width, std::int32_t height,
                                                             std::int16_t borderWidth, std::int32_t edge) {
    // Wide arithmetic so that no intermediate result overflows; a line
    // coordinate outside 16 bits skips that line.
    const double sw = width, sh = height, bw = borderWidth;
    const std::int64_t w = width, h = height, b = borderWidth;
    return {
        Line(ElementFor(kFirstOuterLine, kTop, edge), 0, 0, sw - 1, 0),
        Line(ElementFor(kFirstOuterLine, kLeft, edge), 0, 0, 0, sh - 1),
        Line(ElementFor(kFirstOuterLine, kBottom, edge), 0, sh - 1, sw - 1, sh - 1),
        Line(ElementFor(kFirstOuterLine, kRight, edge), sw - 1, 0, sw - 1, sh),
        Panel(ElementFor(kFirstPanel, kTop, edge), 1, 1, w - 2, b),
        Panel(ElementFor(kFirstPanel, kLeft, edge), 1, 1, b, h - 2),
        Panel(ElementFor(kFirstPanel, kBottom, edge), 1, h - b - 1, w - 2, b),
        // One pixel narrower than the band: the column beside it shows the
        // control's own background.
        Panel(ElementFor(kFirstPanel, kRight, edge), w - b - 1, 1, b - 1, h - 2),
        Line(ElementFor(kFirstInnerLine, kTop, edge), bw, bw - 1, sw - bw - 1, bw - 1),
        Line(ElementFor(kFirstInnerLine, kLeft, edge), bw - 1, bw - 1, bw - 1, sh - bw),
        Line(ElementFor(kFirstInnerLine, kBottom, edge), bw - 1, 0, sw - bw - 1, 0),
        Line(ElementFor(kFirstInnerLine, kRight, edge), 0, bw - 1, 0, sh - bw - 1),
    };
}

std::array<int, kFramePanels> BandPanelsBottomToTop(std::int32_t edge) {
    return {ElementFor(kFirstPanel, kTop, edge), ElementFor(kFirstPanel, kLeft, edge),
            ElementFor(kFirstPanel, kBottom, edge), ElementFor(kFirstPanel, kRight, edge)};
}

}  // namespace lumvale
