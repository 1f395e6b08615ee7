#include "platform/window_base.h"

namespace lumvale {

WindowBase::~WindowBase() {
    if (hwnd_) {
        // Detach first so that no message reaches a half-destroyed object.
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        HWND window = hwnd_;
        hwnd_ = nullptr;
        ::DestroyWindow(window);
    }
}

WindowBase* WindowBase::FromHandle(HWND window) {
    return reinterpret_cast<WindowBase*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

void WindowBase::RegisterClassOnce(const wchar_t* className, HBRUSH background, HICON icon, UINT style) {
    WNDCLASSW existing{};
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    if (::GetClassInfoW(instance, className, &existing)) return;
    WNDCLASSW windowClass{};
    windowClass.style = style;
    windowClass.lpfnWndProc = &WindowBase::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = className;
    ::RegisterClassW(&windowClass);
}

HWND WindowBase::CreateWindowObject(DWORD exStyle, const wchar_t* className, const wchar_t* title,
                                    DWORD style, int x, int y, int width, int height, HWND parent,
                                    HMENU menuOrId) {
    return ::CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menuOrId,
                             ::GetModuleHandleW(nullptr), this);
}

LRESULT WindowBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK WindowBase::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowBase* self = nullptr;
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        self = static_cast<WindowBase*>(create->lpCreateParams);
        self->hwnd_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = FromHandle(window);
    }
    if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        const LRESULT result = self->HandleMessage(message, wParam, lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->OnDestroyed();
        return result;
    }
    return self->HandleMessage(message, wParam, lParam);
}

namespace {
// The nesting of the one user-interface thread's message loops.
int modalLoopDepth = 0;
}  // namespace

ModalLoopScope::ModalLoopScope() { ++modalLoopDepth; }
ModalLoopScope::~ModalLoopScope() { --modalLoopDepth; }
int ModalLoopScope::Depth() { return modalLoopDepth; }

void RunModalLoop(HWND window, HWND owner) {
    const ModalLoopScope modal;
    const bool ownerWasEnabled = owner && ::IsWindowEnabled(owner);
    if (ownerWasEnabled) ::EnableWindow(owner, FALSE);
    MSG message;
    while (::IsWindow(window)) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0) break;
        if (::IsDialogMessageW(window, &message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    if (ownerWasEnabled) ::EnableWindow(owner, TRUE);
}

}  // namespace lumvale
