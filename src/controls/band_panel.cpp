#include "controls/band_panel.h"

#include "platform/win32_handles.h"

namespace lumvale {
namespace {

constexpr wchar_t kClassName[] = L"LumvaleFramePanel";

}  // namespace

void DrawFrameLine(HDC dc, const FrameLine& line, int systemColour) {
    unique_gdi_object pen(::CreatePen(PS_SOLID, 1, ::GetSysColor(systemColour)));
    if (!pen) return;
    SelectionGuard selected(dc, pen.get());
    ::MoveToEx(dc, line.x1, line.y1, nullptr);
    ::LineTo(dc, line.x2, line.y2);
}

bool BandPanel::Create(HWND frame, int line) {
    if (exists()) return true;
    lineColour_ = FrameLineColour(line);
    RegisterClassOnce(kClassName, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    // No parent notification: the frame treats every child that announces
    // itself as a contained control.
    return CreateWindowObject(WS_EX_NOPARENTNOTIFY, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                              0, 0, 0, 0, frame) != nullptr;
}

void BandPanel::PlaceLine(const FrameLine& position) {
    line_ = position;
    if (exists()) ::InvalidateRect(hwnd(), nullptr, TRUE);
}

LRESULT BandPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return WindowBase::HandleMessage(message, wParam, lParam);
    PAINTSTRUCT paint;
    if (HDC dc = ::BeginPaint(hwnd(), &paint)) {
        DrawFrameLine(dc, line_, lineColour_);
        ::EndPaint(hwnd(), &paint);
    }
    return 0;
}

}  // namespace lumvale
