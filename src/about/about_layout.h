#pragma once
// The about box fAbout as data: its size, every element front to back with
// place, colour, font and text, and the link targets. The window only
// paints and hit-tests what this table says.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/dpi.h"

namespace lumvale {

// 0x00BBGGRR, as Windows lays out a COLORREF.
using Rgb = std::uint32_t;
constexpr Rgb MakeRgb(int r, int g, int b) {
    return static_cast<Rgb>(r) | (static_cast<Rgb>(g) << 8) | (static_cast<Rgb>(b) << 16);
}

struct TwipRect {
    int left = 0, top = 0, width = 0, height = 0;
};

// The same rectangle in pixels at a display's scale.
struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};
PixelRect ToPixels(const TwipRect& place, Dpi dpi);

// The pixels of a line: 2 rows at 96 dots per inch from y, from x1 up to
// (not including) x2.
constexpr int kLineThickness = 2;
PixelRect LinePixels(const TwipRect& place, Dpi dpi);

// Windowless elements. A Bar is a filled label without text; a Line is two
// pixels thick, from (left, top) to (left + width, top).
enum class AboutElementKind { Label, Link, Bar, Line, ProgramIcon, Logo };
enum class TextAlign { Left, Centre, Right };

struct AboutElement {
    const char* name;  // the element's name in the window, e.g. "lbWWW"
    AboutElementKind kind;
    TwipRect place;
    Rgb colour = 0;                  // text, fill or line colour
    int pointsX100 = 0;              // Arial bold at this size (825 = 8.25 pt)
    TextAlign align = TextAlign::Left;
    std::wstring text;               // trailing blanks are part of it
    std::wstring link;               // where a Link's click goes
};

// The client area: 6915 by 3810 twips.
constexpr int kAboutWidthTwips = 6915;
constexpr int kAboutHeightTwips = 3810;

// The windowed elements: the close button in its clipping box inside a
// raised frame with a band of 3, hidden unless the window shows as the
// about box. Places in the client of the holder.
constexpr TwipRect kCloseFramePlace{6390, 60, 465, 435};   // cFrClose
constexpr TwipRect kClipBoxPlace{75, 75, 330, 300};        // pDum in cFrClose
constexpr TwipRect kCloseButtonPlace{-30, -30, 375, 345};  // cmdClose in pDum
constexpr std::int16_t kCloseFrameBorderWidth = 3;
constexpr std::int32_t kCloseFrameEdge = 0;
constexpr int kCloseButtonPointsX100 = 825;
inline constexpr wchar_t kCloseCaption[] = L"X";
inline constexpr wchar_t kCloseTooltip[] = L"关闭这个窗口     ";

// The program icon's side, ProgIcon's width and height.
constexpr int kProgIconTwips = 480;

// tmrUnload: the splash's lifetime.
constexpr unsigned kSplashMilliseconds = 1500;

constexpr std::int16_t kAboutAlpha = 240;

// "mailto:" with the feedback address and the subject "lumvale汉化反馈  ".
std::wstring FeedbackMailLink();

// The windowless elements, front to back: an element listed earlier lies
// above the ones after it.
std::vector<AboutElement> AboutElements();

// The frontmost element under a client pixel that takes the mouse (lines do
// not), or null.
const AboutElement* ElementAt(const std::vector<AboutElement>& elements, int x, int y, Dpi dpi);

}  // namespace lumvale
