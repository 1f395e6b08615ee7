#include "app/main_window.h"

#include "app/app.h"
#include "tray/web_pages.h"
#include "res/resource.h"

namespace lumvale {
namespace {

constexpr wchar_t kClassName[] = L"LumvaleMain";
constexpr UINT_PTR kPollTimer = 1;  // tmrRt
constexpr UINT kPollIntervalMs = 50;

}  // namespace

void MainWindow::Load() {
    if (exists()) return;
    RegisterClassOnce(kClassName, nullptr);
    // A hidden top-level window rather than a message-only one: only
    // top-level windows receive the shell's "TaskbarCreated" broadcast.
    CreateWindowObject(0, kClassName, L"Lumvale", WS_POPUP, 0, 0, 0, 0, nullptr);
}

HICON MainWindow::Icon() {
    Load();
    return icon_.get();
}

void MainWindow::Unload() {
    if (!exists()) return;
    OnUnload();
    ::DestroyWindow(hwnd());
}

void MainWindow::OnLoad() {
    icon_.reset(static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_LUMVALE),
                                                IMAGE_ICON, 32, 32, 0)));
    ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
    // The icon handle is also the tray icon's identifier.
    const UINT iconId = static_cast<UINT>(reinterpret_cast<UINT_PTR>(icon_.get()));
    AddTrayIcon(hwnd(), iconId, icon_.get(), L"Lumvale", this);
    ::SetTimer(hwnd(), kPollTimer, kPollIntervalMs, nullptr);
}

void MainWindow::OnUnload() {
    if (unloaded_) return;
    unloaded_ = true;
    app_.store.DeleteSection(store_names::kTemp);
    RemoveTrayIcon();
    app_.CloseOtherWindows();
}

void MainWindow::SystemTrayHandler(std::int16_t& /*action*/) {
    // Both buttons open the same menu.
    switch (menu_.Track(hwnd())) {
        case TrayCommand::Settings:
            // Whatever closed the dialog, the taskbar gets its stored alpha;
            // not while a dialog that was already open is still being used.
            if (app_.ShowSettings()) app_.glass.ApplyTaskbarAlpha();
            break;
        case TrayCommand::Help:
            ShowHelp(app_.platform);
            break;
        case TrayCommand::About:
            app_.ShowAbout();
            break;
        case TrayCommand::Maker:
            OpenWebPage(app_.platform, HomePageAddress());
            break;
        case TrayCommand::Exit:
            Unload();
            break;
        case TrayCommand::None:
            break;
    }
}

void MainWindow::TaskbarCreated() { app_.glass.ApplyTaskbarAlpha(); }

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            OnLoad();
            return 0;
        case WM_TIMER:
            if (wParam == kPollTimer) app_.poller.Tick(ModalLoopScope::Depth());
            return 0;
        case WM_CLOSE:
            Unload();
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam) OnUnload();
            return 0;
        default:
            return WindowBase::HandleMessage(message, wParam, lParam);
    }
}

void MainWindow::OnDestroyed() {
    icon_.reset();
    ::PostQuitMessage(0);
}

}  // namespace lumvale
