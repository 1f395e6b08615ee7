// Painting of fAbout's windowless elements, back to front, into one bitmap
// that is then copied to the window, so nothing flickers.
#include <algorithm>

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

}  // namespace

HFONT AboutWindow::Font(int pointsX100) {
    for (const auto& [size, font] : fonts_)
        if (size == pointsX100) return static_cast<HFONT>(font.get());
    // DEFAULT_CHARSET keeps the face Arial; the system links a CJK face in
    // for the Chinese characters.
    unique_gdi_object font(::CreateFontW(-FontPixelHeight(pointsX100), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                                         DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                         DEFAULT_PITCH | FF_SWISS, L"Arial"));
    const HFONT handle = static_cast<HFONT>(font.get());
    fonts_.emplace_back(pointsX100, std::move(font));
    return handle;
}

void AboutWindow::PaintElement(HDC dc, const AboutElement& element) {
    const PixelRect place = ToPixels(element.place);
    switch (element.kind) {
        case AboutElementKind::Bar:
            Fill(dc, place, element.colour);
            break;
        case AboutElementKind::Line:
            Fill(dc, LinePixels(element.place), element.colour);
            break;
        case AboutElementKind::ProgramIcon:
            if (progIcon_)
                ::DrawIconEx(dc, place.left, place.top, progIcon_, place.right - place.left,
                             place.bottom - place.top, 0, nullptr, DI_NORMAL);
            break;
        case AboutElementKind::Logo:
            DrawBitmap(dc, static_cast<HBITMAP>(logo_.get()), place);
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
