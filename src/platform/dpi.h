#pragma once
// The display's scale. Layouts are given in twips (1440 to the inch) and some
// sizes in pixels at 96 dots per inch; both convert at the display's real
// DPI. At 96 dpi a layout converts exactly as at the 15 twips to the pixel it
// was designed for: truncated toward zero, so -30 twips stay -2 pixels.

namespace lumvale {

constexpr int kBaseDpi = 96;

struct Dpi {
    int value = kBaseDpi;

    constexpr int Px(int twips) const { return twips * value / 1440; }
    // A size given in pixels at 96 dpi: a frame's band, a line's thickness.
    constexpr int Scale(int pixels) const { return pixels * value / kBaseDpi; }
    // The height in pixels of a font of `pointsX100` hundredths of a point,
    // to the nearest pixel (halves down).
    constexpr int FontHeight(int pointsX100) const { return (pointsX100 * value + 3600) / 7200; }
};

}  // namespace lumvale
