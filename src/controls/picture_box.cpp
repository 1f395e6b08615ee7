#include "controls/picture_box.h"

#include "controls/child_notifications.h"

namespace lumvale {
namespace {

constexpr wchar_t kClassName[] = L"LumvalePictureBox";

}  // namespace

PictureBox::~PictureBox() {
    if (exists()) ::DestroyWindow(hwnd());
}

bool PictureBox::Create(HWND parent, int id, int x, int y, int width, int height) {
    if (exists()) return true;
    RegisterClassOnce(kClassName, ::GetSysColorBrush(COLOR_BTNFACE));
    return CreateWindowObject(WS_EX_CONTROLPARENT, kClassName, L"",
                              WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, x, y, width, height,
                              parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id))) != nullptr;
}

LRESULT PictureBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsChildNotification(message)) return ::SendMessageW(::GetParent(hwnd()), message, wParam, lParam);
    return WindowBase::HandleMessage(message, wParam, lParam);
}

}  // namespace lumvale
