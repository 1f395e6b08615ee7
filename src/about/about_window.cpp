#include "about/about_window.h"

#include <windowsx.h>

#include <cwchar>

#include "tray/web_pages.h"
#include "platform/display.h"
#include "res/resource.h"

namespace lumvale {
namespace {

constexpr wchar_t kClassName[] = L"LumvaleAbout";
constexpr UINT_PTR kUnloadTimer = 1;  // tmrUnload
constexpr int kCloseFrameId = 10;
constexpr int kClipBoxId = 11;

// The program's own windows have classes named "Lumvale...".
bool IsProgramWindow(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return std::wcsncmp(name, L"Lumvale", 7) == 0;
}

struct WindowSearch {
    HWND except;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectEnabledProgramWindow(HWND window, LPARAM search) {
    auto* s = reinterpret_cast<WindowSearch*>(search);
    if (window != s->except && ::IsWindowEnabled(window) && IsProgramWindow(window)) s->found.push_back(window);
    return TRUE;
}

// The window a request for the about box came from: a visible window of the
// program (the settings dialog's about button), or null.
HWND RequestingWindow() {
    const HWND active = ::GetActiveWindow();
    return active && ::IsWindowVisible(active) && IsProgramWindow(active) ? active : nullptr;
}

}  // namespace

void AboutWindow::SplashWin() {
    if (exists()) {
        BringToFront();
        return;
    }
    if (!Load(owner_.MainWindowHandle())) return;
    // The splash does not take the keyboard focus: the program may be
    // starting with Windows while the user already types elsewhere.
    ::ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    ::SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    ::UpdateWindow(hwnd());
    ::SetTimer(hwnd(), kUnloadTimer, kSplashMilliseconds, nullptr);
}

void AboutWindow::About() {
    if (exists()) {
        BringToFront();
        return;
    }
    const HWND requester = RequestingWindow();
    if (!Load(requester ? requester : owner_.MainWindowHandle())) return;
    const HWND window = hwnd();
    ::ShowWindow(cFrClose_.hwnd(), SW_SHOW);
    ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    DisableProgramWindows();
    ::ShowWindow(window, SW_SHOW);
    ::SetForegroundWindow(window);
    ::SetFocus(cmdClose_);
    RunModalLoop(window, nullptr);
    // Closed some other way than Unload (the process is ending).
    EnableProgramWindows();
}

void AboutWindow::Unload() {
    if (!exists()) return;
    // Enabled again first, so that the window that asked for the box gets
    // the activation back when it goes.
    EnableProgramWindows();
    ::DestroyWindow(hwnd());
}

bool AboutWindow::Load(HWND owner) {
    RegisterClassOnce(kClassName, nullptr);
    // Centred on the screen, at the scale of the monitor there.
    const POINT centre{::GetSystemMetrics(SM_CXSCREEN) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2};
    dpi_ = DpiAt(centre);
    const int width = dpi_.Px(kAboutWidthTwips);
    const int height = dpi_.Px(kAboutHeightTwips);
    const int x = centre.x - width / 2;
    const int y = centre.y - height / 2;
    // No border, no caption, no taskbar button: a tool window, and an owned
    // one, since Wine's taskbar shows every unowned window. Created in the
    // topmost band already: Wine leaves WS_EX_TOPMOST unset when
    // SetWindowPos(HWND_TOPMOST) moves a window that owns a topmost window,
    // as this one owns its tooltip. WM_CREATE runs the load.
    return CreateWindowObject(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT, kClassName, L"Lumvale",
                              WS_POPUP | WS_CLIPCHILDREN, x, y, width, height, owner) != nullptr;
}

void AboutWindow::OnLoad() {
    elements_ = AboutElements();
    pressedLink_ = -1;
    dpi_ = DpiOf(hwnd());
    fonts_.clear();
    scaledLogo_.reset();
    CreateCloseButton();
    if (!logo_)
        logo_.reset(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_MAKER_LOGO), IMAGE_BITMAP, 0, 0,
                                 LR_CREATEDIBSECTION));
    // Reading the main window's icon creates that window at start-up. The
    // picture is the same icon at the size that fits the display.
    owner_.MainWindowIcon();
    const int iconSize = dpi_.Px(kProgIconTwips);
    icon_.reset(static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_LUMVALE),
                                                IMAGE_ICON, iconSize, iconSize, 0)));
    glass_.SetWindowAlpha(FromHwnd(hwnd()), kAboutAlpha);
}

void AboutWindow::CreateCloseButton() {
    const Dpi dpi = dpi_;
    const TwipRect& frame = kCloseFramePlace;
    cFrClose_.Create(hwnd(), kCloseFrameId, dpi.Px(frame.left), dpi.Px(frame.top), dpi.Px(frame.width),
                     dpi.Px(frame.height), {kCloseFrameEdge, kCloseFrameBorderWidth});
    cFrClose_.SetDpi(dpi);
    ::ShowWindow(cFrClose_.hwnd(), SW_HIDE);
    const TwipRect& box = kClipBoxPlace;
    pDum_.Create(cFrClose_.hwnd(), kClipBoxId, dpi.Px(box.left), dpi.Px(box.top), dpi.Px(box.width),
                 dpi.Px(box.height));
    const TwipRect& button = kCloseButtonPlace;
    // The box's parents pass the button's WM_COMMAND on to this window.
    cmdClose_ = ::CreateWindowExW(0, L"BUTTON", kCloseCaption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                  dpi.Px(button.left), dpi.Px(button.top), dpi.Px(button.width), dpi.Px(button.height),
                                  pDum_.hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDCANCEL)),
                                  ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(cmdClose_, WM_SETFONT, reinterpret_cast<WPARAM>(Font(kCloseButtonPointsX100)), FALSE);
    tooltips_ = std::make_unique<Tooltips>();
    tooltips_->Create(hwnd());
    tooltips_->Set(cmdClose_, kCloseTooltip);
}

void AboutWindow::BringToFront() {
    ::SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    ::SetForegroundWindow(hwnd());
}

void AboutWindow::DisableProgramWindows() {
    WindowSearch search{hwnd(), {}};
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectEnabledProgramWindow, reinterpret_cast<LPARAM>(&search));
    for (HWND window : search.found) ::EnableWindow(window, FALSE);
    disabledWindows_ = std::move(search.found);
}

void AboutWindow::EnableProgramWindows() {
    for (HWND window : disabledWindows_)
        if (::IsWindow(window)) ::EnableWindow(window, TRUE);
    disabledWindows_.clear();
}

void AboutWindow::tmrUnload_Timer() {
    ::KillTimer(hwnd(), kUnloadTimer);
    Unload();
    // The window is gone; the first-run dialog runs modally from here.
    AfterSplash(store_, glass_, owner_);
}

int AboutWindow::LinkIndexAt(LPARAM clientPoint) const {
    const AboutElement* element = ElementAt(elements_, GET_X_LPARAM(clientPoint), GET_Y_LPARAM(clientPoint), dpi_);
    if (element == nullptr || element->kind != AboutElementKind::Link) return -1;
    return static_cast<int>(element - elements_.data());
}

bool AboutWindow::SetLinkCursor() {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::ScreenToClient(hwnd(), &cursor);
    if (LinkIndexAt(MAKELPARAM(cursor.x, cursor.y)) < 0) return false;
    ::SetCursor(::LoadCursorW(nullptr, IDC_UPARROW));
    return true;
}

LRESULT AboutWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            OnLoad();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers every pixel
        case WM_PAINT:
            Paint();
            return 0;
        case WM_TIMER:
            if (wParam == kUnloadTimer) tmrUnload_Timer();
            return 0;
        case WM_COMMAND:
            // cmdClose, or Esc and Enter in the modal loop; only while the
            // close button is shown.
            if ((LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) && ::IsWindowVisible(cFrClose_.hwnd()))
                Unload();
            return 0;
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) == hwnd() && LOWORD(lParam) == HTCLIENT && SetLinkCursor())
                return TRUE;
            break;
        case WM_LBUTTONDOWN:
            pressedLink_ = LinkIndexAt(lParam);
            if (pressedLink_ >= 0) ::SetCapture(hwnd());
            return 0;
        case WM_LBUTTONUP:
            if (pressedLink_ >= 0) {
                const int pressed = std::exchange(pressedLink_, -1);
                ::ReleaseCapture();
                // A click is a press and a release on the same link.
                if (LinkIndexAt(lParam) == pressed) OpenWebPage(platform_, elements_[pressed].link);
            }
            return 0;
        case WM_CAPTURECHANGED:
            pressedLink_ = -1;
            return 0;
        case WM_CLOSE:
            Unload();
            return 0;
        case WM_DESTROY:
            tooltips_.reset();
            return 0;
        default:
            break;
    }
    return WindowBase::HandleMessage(message, wParam, lParam);
}

}  // namespace lumvale
