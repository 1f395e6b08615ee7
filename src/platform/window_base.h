#pragma once
// One C++ object per window: the static procedure attaches the object at
// WM_NCCREATE, forwards every message to it, and detaches it at WM_NCDESTROY.

#include <windows.h>

namespace lumvale {

class WindowBase {
public:
    WindowBase() = default;
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;
    virtual ~WindowBase();

    HWND hwnd() const { return hwnd_; }
    bool exists() const { return hwnd_ != nullptr; }

    // The object attached to a window created through WindowBase, or null.
    static WindowBase* FromHandle(HWND window);

protected:
    // Registers `className` once per process with the shared procedure.
    static void RegisterClassOnce(const wchar_t* className, HBRUSH background, HICON icon = nullptr,
                                  UINT style = 0);
    HWND CreateWindowObject(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                            int x, int y, int width, int height, HWND parent, HMENU menuOrId = nullptr);

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs after the window is gone (WM_NCDESTROY); the object is detached.
    virtual void OnDestroyed() {}

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

// Runs a modal loop for `window` owned by `owner`: the owner is disabled
// while the window exists. Returns when the window has been destroyed or the
// process is quitting (the quit message is posted again for the outer loop).
void RunModalLoop(HWND window, HWND owner);

// Counts the modal loops (the program's own, menus, message boxes) that run
// on the user-interface thread inside its main message loop, so that a
// handler can tell a message of a loop opened while it was running from one
// that arrived in its own loop.
class ModalLoopScope {
public:
    ModalLoopScope();
    ~ModalLoopScope();
    ModalLoopScope(const ModalLoopScope&) = delete;
    ModalLoopScope& operator=(const ModalLoopScope&) = delete;
    static int Depth();
};

}  // namespace lumvale
