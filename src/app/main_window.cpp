#include "app/main_window.h"

#include "app/app.h"
#include "tray/web_pages.h"
#include "res/resource.h"

namespace lumvale {
namespace {

constexpr wchar_t kClassName[] = L"LumvaleMain";
constexpr UINT_PTR kPollTimer = 1;  // tmrRt
constexpr UINT kPollIntervalMs = 50;
constexpr UINT_PTR kShellTimer = 2;
constexpr UINT kShellIntervalMs = 2000;

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
    AddTrayIcon(hwnd(), app_.trayIcon, iconId, icon_.get(), L"Lumvale", this);
    sessionWatch_.Keep(hwnd());
    StartTimers();
}

void MainWindow::OnUnload() {
    if (unloaded_) return;
    unloaded_ = true;
    sessionWatch_.Stop();
    app_.store.DeleteSection(store_names::kTemp);
    RemoveTrayIcon();
    app_.CloseOtherWindows();
}

void MainWindow::StartTimers() {
    polling_ = true;
    ::SetTimer(hwnd(), kPollTimer, kPollIntervalMs, nullptr);
    ::SetTimer(hwnd(), kShellTimer, kShellIntervalMs, nullptr);
}

void MainWindow::FollowPause(bool run) {
    if (run == polling_ || unloaded_) return;
    if (!run) {
        polling_ = false;
        ::KillTimer(hwnd(), kPollTimer);
        ::KillTimer(hwnd(), kShellTimer);
        return;
    }
    StartTimers();
    app_.poller.Resume();
    // A shell may have restarted while the poll stood still.
    app_.trayIcon.Verify();
    app_.glass.LookForTaskbars();
}

void MainWindow::LookAtTheShell() {
    app_.trayIcon.KeepShown();
    app_.glass.LookForTaskbars();
    sessionWatch_.Keep(hwnd());
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
            if (wParam == kShellTimer) LookAtTheShell();
            return 0;
        case kSessionChangeMessage:
            FollowPause(pause_.SessionChanged(static_cast<std::uint32_t>(wParam)));
            return 0;
        case WM_POWERBROADCAST: {
            DWORD display = 0;
            if (wParam == kPowerSettingChange && DisplayStateOf(lParam, display))
                FollowPause(pause_.DisplayChanged(display));
            return TRUE;
        }
        case WM_DISPLAYCHANGE:
        case WM_SETTINGCHANGE:
            // A monitor plugged in, or the taskbar shown on every display.
            app_.glass.LookForTaskbars();
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
