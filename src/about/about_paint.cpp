// Painting of fAbout's windowless elements, back to front, into one bitmap
// that is then copied to the window, so nothing flickers.
#include <algorithm>
#include <vector>

#include "about/about_window.h"

namespace lumvale {
namespace {

RECT ToRect(const PixelRect& pixels) { return {pixels.left, pixels.top, pixels.right, pixels.bottom}; }

void Fill(HDC dc, const PixelRect& pixels, Rgb colour) {
    unique_gdi_object brush(::CreateSolidBrush(colour));
    const RECT rect = ToRect(pixels);
    if (brush) ::FillRect(dc, &rect, static_cast<HBRUSH>(brush.get()));
}

UINT AlignFlags(TextAlign align) {
    switch (align) {
        case TextAlign::Centre: return DT_CENTER;
        case TextAlign::Right: return DT_RIGHT;
        default: return DT_LEFT;
    }
}

void DrawBitmap(HDC dc, HBITMAP bitmap, const PixelRect& place) {
    BITMAP size{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof(size), &size)) return;
    unique_memory_dc source(::CreateCompatibleDC(dc));
    if (!source) return;
    SelectionGuard selected(source.get(), bitmap);
    // Shown at its own size, clipped to the element.
    const int width = std::min<int>(size.bmWidth, place.right - place.left);
    const int height = std::min<int>(size.bmHeight, place.bottom - place.top);
    ::BitBlt(dc, place.left, place.top, width, height, source.get(), 0, 0, SRCCOPY);
}

// The bitmap resampled smoothly to `width` by `height`: each pixel blends the
// four source pixels nearest its centre.
unique_gdi_object Resampled(HBITMAP source, int width, int height) {
    BITMAP size{};
    if (!::GetObjectW(source, sizeof(size), &size) || width <= 0 || height <= 0) return {};
    const int sourceWidth = size.bmWidth, sourceHeight = size.bmHeight;
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = sourceWidth;
    format.bmiHeader.biHeight = -sourceHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    std::vector<BYTE> in(static_cast<std::size_t>(sourceWidth) * sourceHeight * 4);
    WindowDc screen(nullptr);
    ::GetDIBits(screen.get(), source, 0, sourceHeight, in.data(), &format, DIB_RGB_COLORS);
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    void* bits = nullptr;
    unique_gdi_object out(::CreateDIBSection(screen.get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!out) return {};
    const auto at = [&](int x, int y, int channel) {
        return in[(static_cast<std::size_t>(y) * sourceWidth + x) * 4 + channel];
    };
    for (int y = 0; y < height; ++y) {
        const double v = std::clamp((y + 0.5) * sourceHeight / height - 0.5, 0.0, sourceHeight - 1.0);
        const int y0 = static_cast<int>(v), y1 = std::min(y0 + 1, sourceHeight - 1);
        for (int x = 0; x < width; ++x) {
            const double u = std::clamp((x + 0.5) * sourceWidth / width - 0.5, 0.0, sourceWidth - 1.0);
            const int x0 = static_cast<int>(u), x1 = std::min(x0 + 1, sourceWidth - 1);
            const double fx = u - x0, fy = v - y0;
            for (int channel = 0; channel < 3; ++channel) {
                const double top = at(x0, y0, channel) * (1 - fx) + at(x1, y0, channel) * fx;
                const double bottom = at(x0, y1, channel) * (1 - fx) + at(x1, y1, channel) * fx;
                static_cast<BYTE*>(bits)[(static_cast<std::size_t>(y) * width + x) * 4 + channel] =
                    static_cast<BYTE>(top * (1 - fy) + bottom * fy + 0.5);
            }
        }
    }
    return out;
}

}  // namespace

HFONT AboutWindow::Font(int pointsX100) {
    for (const auto& [size, font] : fonts_)
        if (size == pointsX100) return static_cast<HFONT>(font.get());
    // DEFAULT_CHARSET keeps the face Arial; the system links a CJK face in
    // for the Chinese characters.
    unique_gdi_object font(::CreateFontW(-dpi_.FontHeight(pointsX100), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                                         DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                         DEFAULT_PITCH | FF_SWISS, L"Arial"));
    const HFONT handle = static_cast<HFONT>(font.get());
    fonts_.emplace_back(pointsX100, std::move(font));
    return handle;
}

void AboutWindow::PaintElement(HDC dc, const AboutElement& element) {
    const PixelRect place = ToPixels(element.place, dpi_);
    switch (element.kind) {
        case AboutElementKind::Bar:
            Fill(dc, place, element.colour);
            break;
        case AboutElementKind::Line:
            Fill(dc, LinePixels(element.place, dpi_), element.colour);
            break;
        case AboutElementKind::ProgramIcon:
            if (icon_)
                ::DrawIconEx(dc, place.left, place.top, icon_.get(), place.right - place.left,
                             place.bottom - place.top, 0, nullptr, DI_NORMAL);
            break;
        case AboutElementKind::Logo:
            // Its own pixels at 96 dots per inch; resampled to the element on
            // other displays.
            if (dpi_.value != kBaseDpi && !scaledLogo_)
                scaledLogo_ = Resampled(static_cast<HBITMAP>(logo_.get()), place.right - place.left,
                                        place.bottom - place.top);
            DrawBitmap(dc, static_cast<HBITMAP>(scaledLogo_ ? scaledLogo_.get() : logo_.get()), place);
            break;
        case AboutElementKind::Label:
        case AboutElementKind::Link: {
            SelectionGuard font(dc, Font(element.pointsX100));
            ::SetTextColor(dc, element.colour);
            RECT rect = ToRect(place);
            // One line at the top of the label; the trailing blanks take
            // their room, so right-aligned texts keep it. Not clipped: with a
            // face wider than Arial (a substitute) the outer glyphs still show.
            ::DrawTextW(dc, element.text.c_str(), static_cast<int>(element.text.size()), &rect,
                        DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP | DT_TOP | AlignFlags(element.align));
            break;
        }
    }
}

void AboutWindow::Paint() {
    PAINTSTRUCT paint;
    const HDC dc = ::BeginPaint(hwnd(), &paint);
    if (!dc) return;
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    unique_memory_dc memory(::CreateCompatibleDC(dc));
    unique_gdi_object bitmap(::CreateCompatibleBitmap(dc, client.right, client.bottom));
    if (memory && bitmap) {
        SelectionGuard selected(memory.get(), bitmap.get());
        ::FillRect(memory.get(), &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::SetBkMode(memory.get(), TRANSPARENT);
        for (auto element = elements_.rbegin(); element != elements_.rend(); ++element)
            PaintElement(memory.get(), *element);
        ::BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
    }
    ::EndPaint(hwnd(), &paint);
}

}  // namespace lumvale
