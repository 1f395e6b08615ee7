#include "controls/frame.h"

#include <windowsx.h>

#include <algorithm>

#include "controls/child_notifications.h"
#include "platform/win32_handles.h"

namespace lumvale {
namespace {

constexpr wchar_t kClassName[] = L"LumvaleFrame";

COLORREF ResolveColour(FrameColour colour) {
    if (colour & kSystemColourReference) return ::GetSysColor(static_cast<int>(colour & 0xFF));
    return colour & 0x00FFFFFF;
}

}  // namespace

cFrame::~cFrame() {
    // The window goes first, while the panels' objects still exist.
    if (exists()) ::DestroyWindow(hwnd());
}

bool cFrame::Create(HWND parent, int id, int x, int y, int width, int height,
                    const FrameProperties& properties) {
    if (exists()) return true;
    edge_ = properties.Edge;
    borderWidth_ = properties.BorderWidth;
    RegisterClassOnce(kClassName, nullptr);
    // WS_EX_CONTROLPARENT lets the dialog keys reach the contained controls;
    // WS_CLIPCHILDREN keeps the surface's own fill and lines below them.
    return CreateWindowObject(WS_EX_CONTROLPARENT, kClassName, L"",
                              WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, x, y, width, height,
                              parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id))) != nullptr;
}

void cFrame::SetBackColor(FrameColour colour) {
    backColor_ = colour;
    if (exists()) ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void cFrame::SetBorderWidth(std::int16_t width) {
    borderWidth_ = width;
    DrawFrame();
}

void cFrame::SetDpi(Dpi dpi) {
    dpi_ = dpi;
    DrawFrame();
}

void cFrame::SetEdge(std::int32_t edge) {
    edge_ = edge;
    DrawFrame();
}

bool cFrame::Enabled() const { return exists() && ::IsWindowEnabled(hwnd()); }

void cFrame::SetEnabled(bool enabled) {
    if (exists()) ::EnableWindow(hwnd(), enabled);
}

void cFrame::DrawFrame() {
    if (!exists()) return;
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    const auto band = static_cast<std::int16_t>(std::clamp(dpi_.Scale(borderWidth_), -32768, 32767));
    for (const FramePlacement& placement : FramePlacements(client.right, client.bottom, band, edge_)) {
        if (!placement.placed) continue;
        if (placement.kind == FrameElementKind::Line) {
            PlaceLine(placement.element, placement.line);
        } else {
            const FramePanel& panel = placement.panel;
            ::SetWindowPos(L2_[placement.element].hwnd(), nullptr, panel.left, panel.top, panel.width,
                           panel.height, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    RaiseBand();
}

void cFrame::PlaceLine(int line, const FrameLine& position) {
    if (line < 4) {
        L1_[line] = position;
        ::InvalidateRect(hwnd(), nullptr, TRUE);
    } else {
        L2_[PanelHoldingLine(line)].PlaceLine(position);
    }
}

void cFrame::RaiseBand() {
    for (const int panel : BandPanelsBottomToTop(edge_)) {
        ::SetWindowPos(L2_[panel].hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void cFrame::FillBackground(HDC dc) {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    unique_gdi_object brush(::CreateSolidBrush(ResolveColour(backColor_)));
    if (brush) ::FillRect(dc, &client, static_cast<HBRUSH>(brush.get()));
}

void cFrame::Paint() {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(hwnd(), &paint);
    if (!dc) return;
    for (int line = 0; line < 4; ++line) DrawFrameLine(dc, L1_[line], FrameLineColour(line));
    ::EndPaint(hwnd(), &paint);
}

void cFrame::OnLeftButtonUp(LPARAM lParam) {
    if (!pressed_) return;
    pressed_ = false;
    ::ReleaseCapture();
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (!::PtInRect(&client, point)) return;
    // Last: the parent may destroy the frame while it handles the click.
    const WPARAM command = MAKEWPARAM(::GetDlgCtrlID(hwnd()), kClicked);
    ::SendMessageW(::GetParent(hwnd()), WM_COMMAND, command, reinterpret_cast<LPARAM>(hwnd()));
}

LRESULT cFrame::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsChildNotification(message)) return ::SendMessageW(::GetParent(hwnd()), message, wParam, lParam);
    switch (message) {
        case WM_CREATE:
            for (int panel = 0; panel < kFramePanels; ++panel) L2_[panel].Create(hwnd(), 4 + panel);
            DrawFrame();
            return 0;
        case WM_SIZE:
            DrawFrame();
            return 0;
        case WM_PARENTNOTIFY:
            if (LOWORD(wParam) == WM_CREATE) {
                // A child without WS_CLIPSIBLINGS paints over the siblings
                // above it, the band panels included.
                const HWND child = reinterpret_cast<HWND>(lParam);
                ::SetWindowLongPtrW(child, GWL_STYLE, ::GetWindowLongPtrW(child, GWL_STYLE) | WS_CLIPSIBLINGS);
            }
            return 0;
        case WM_ERASEBKGND:
            FillBackground(reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_LBUTTONDOWN:
            pressed_ = true;
            ::SetCapture(hwnd());
            return 0;
        case WM_LBUTTONUP:
            OnLeftButtonUp(lParam);
            return 0;
        case WM_CAPTURECHANGED:
            pressed_ = false;
            return 0;
        default:
            return WindowBase::HandleMessage(message, wParam, lParam);
    }
}

}  // namespace lumvale
