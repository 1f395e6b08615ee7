#include "settings/slider_box.h"

#include <windowsx.h>

#include <algorithm>

namespace lumvale {
namespace {

constexpr wchar_t kClassName[] = L"LumvaleSlider";

unsigned ButtonsOf(WPARAM keys) {
    unsigned buttons = 0;
    if (keys & MK_LBUTTON) buttons |= kSliderLeft;
    if (keys & MK_RBUTTON) buttons |= kSliderRight;
    if (keys & MK_MBUTTON) buttons |= kSliderMiddle;
    if (keys & (MK_XBUTTON1 | MK_XBUTTON2)) buttons |= kSliderExtra;
    return buttons;
}

}  // namespace

SliderBox::~SliderBox() {
    if (exists()) ::DestroyWindow(hwnd());
}

bool SliderBox::Create(HWND parent, int id, int x, int y, int width, int height) {
    if (exists()) return true;
    RegisterClassOnce(kClassName, nullptr);
    return CreateWindowObject(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, x, y, width,
                              height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id))) != nullptr;
}

std::int32_t SliderBox::Width() const {
    RECT client{};
    if (exists()) ::GetClientRect(hwnd(), &client);
    return client.right;
}

void SliderBox::DrawSlider() {
    if (!exists()) return;
    ::InvalidateRect(hwnd(), nullptr, FALSE);
    ::UpdateWindow(hwnd());
}

void SliderBox::Paint() {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(hwnd(), &paint);
    if (!dc) return;
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    // A position off the bar shows an empty or a full bar.
    const LONG fill = std::clamp<LONG>(slider_.SliderPos(), 0, client.right);
    const RECT filled{0, 0, fill, client.bottom};
    const RECT rest{fill, 0, client.right, client.bottom};
    ::FillRect(dc, &filled, ::GetSysColorBrush(COLOR_HIGHLIGHT));
    ::FillRect(dc, &rest, ::GetSysColorBrush(COLOR_BTNFACE));
    ::EndPaint(hwnd(), &paint);
}

void SliderBox::DragStep(WPARAM keys, LPARAM position) {
    if (slider_.Drag(GET_X_LPARAM(position), ButtonsOf(keys), Width())) DrawSlider();
}

LRESULT SliderBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // the paint covers every pixel
        case WM_PAINT:
            Paint();
            return 0;
        case WM_LBUTTONDOWN:
            ::SetFocus(hwnd());
            ::SetCapture(hwnd());
            DragStep(wParam, lParam);
            return 0;
        case WM_MOUSEMOVE:
            DragStep(wParam, lParam);
            return 0;
        case WM_LBUTTONUP:
            if (::GetCapture() == hwnd()) ::ReleaseCapture();
            return 0;
        default:
            return WindowBase::HandleMessage(message, wParam, lParam);
    }
}

}  // namespace lumvale
