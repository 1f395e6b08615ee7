#include "about/about_layout.h"

#include <utility>

#include "tray/web_pages.h"

namespace lumvale {
namespace {

constexpr Rgb kWhite = MakeRgb(255, 255, 255);
constexpr Rgb kBlue = MakeRgb(4, 94, 178);
constexpr Rgb kGrey = MakeRgb(192, 192, 192);
constexpr Rgb kRed = MakeRgb(255, 0, 0);

AboutElement Label(const char* name, TwipRect place, Rgb colour, int pointsX100, TextAlign align,
                   std::wstring text) {
    return {name, AboutElementKind::Label, place, colour, pointsX100, align, std::move(text), {}};
}
// White 8.25 pt texts on the bottom band.
AboutElement Link(const char* name, TwipRect place, TextAlign align, std::wstring text, std::wstring link) {
    return {name, AboutElementKind::Link, place, kWhite, 825, align, std::move(text), std::move(link)};
}
AboutElement Bar(const char* name, TwipRect place, Rgb colour) {
    return {name, AboutElementKind::Bar, place, colour, 0, TextAlign::Left, {}, {}};
}
AboutElement Line(const char* name, int x1, int x2, int y, Rgb colour) {
    return {name, AboutElementKind::Line, {x1, y, x2 - x1, 0}, colour, 0, TextAlign::Left, {}, {}};
}
AboutElement Picture(const char* name, AboutElementKind kind, TwipRect place) {
    return {name, kind, place, 0, 0, TextAlign::Left, {}, {}};
}

}  // namespace

PixelRect ToPixels(const TwipRect& place, Dpi dpi) {
    const int left = dpi.Px(place.left);
    const int top = dpi.Px(place.top);
    return {left, top, left + dpi.Px(place.width), top + dpi.Px(place.height)};
}

PixelRect LinePixels(const TwipRect& place, Dpi dpi) {
    PixelRect pixels = ToPixels(place, dpi);
    pixels.bottom = pixels.top + dpi.Scale(kLineThickness);
    return pixels;
}

std::wstring FeedbackMailLink() {
    // The subject's two trailing blanks are part of it.
    return std::wstring(L"mailto:") + LUMVALE_FEEDBACK_MAIL + L"?subject=lumvale汉化反馈  ";
}

std::vector<AboutElement> AboutElements() {
    const std::wstring home = HomePageAddress();
    return {
        Link("lbWWW", {3600, 3480, 3090, 210}, TextAlign::Right, L"软件主页： " + home, home),
        Picture("ProgIcon", AboutElementKind::ProgramIcon, {6300, 990, kProgIconTwips, kProgIconTwips}),
        Picture("TovanLogo", AboutElementKind::Logo, {780, 0, 3000, 1125}),
        Label("Presents", {3240, 1140, 1575, 240}, MakeRgb(0, 128, 128), 975, TextAlign::Left,
              L"p r e s e n t s . . ."),
        Bar("Bar1", {-30, -30, 795, 4545}, kBlue),
        Bar("Bar4", {4020, 1140, 3195, 255}, kGrey),
        Label("Version", {3840, 3120, 2820, 210}, kWhite, 825, TextAlign::Right,
              std::wstring(L"版本号：") + LUMVALE_VERSION + L"  "),
        Label("Developer", {930, 3120, 3570, 210}, kWhite, 825, TextAlign::Left, L"汉化：Lumvale 汉化小组"),
        Link("lbEmail", {930, 3480, 2490, 210}, TextAlign::Left, L"汉化效果反馈！~          ", FeedbackMailLink()),
        Line("Line1", 930, 6690, 2490, kRed),
        Line("Line2", 960, 6720, 2520, kGrey),
        Line("Line3", 960, 6720, 2850, kGrey),
        Line("Line4", 930, 6690, 2820, kRed),
        Label("EmailSolution", {930, 2550, 5790, 240}, MakeRgb(0, 0, 128), 900, TextAlign::Centre,
              L"S e e   M o r e . . ."),
        Label("TopProductName", {1005, 1350, 5640, 1260}, kBlue, 5400, TextAlign::Left, L"Lumvale..."),
        // The same text 3 pixels right and 2 lower: the shadow.
        Label("ProductName", {1050, 1380, 5640, 1260}, kGrey, 5400, TextAlign::Left, L"Lumvale..."),
        Bar("Bar2", {-30, -30, 7005, 795}, MakeRgb(255, 255, 192)),
        Bar("Bar3", {-30, 3030, 7005, 1395}, kGrey),
    };
}

const AboutElement* ElementAt(const std::vector<AboutElement>& elements, int x, int y, Dpi dpi) {
    for (const AboutElement& element : elements) {
        if (element.kind == AboutElementKind::Line) continue;
        if (ToPixels(element.place, dpi).Contains(x, y)) return &element;
    }
    return nullptr;
}

}  // namespace lumvale
