#include "app/main_window.h"

#include "app/app.h"
#include "glass/give_back.h"
#include "tray/web_pages.h"
#include "res/resource.h"

namespace lumvale {
namespace {

constexpr wchar_t kClassName[] = L"LumvaleMain";
constexpr UINT_PTR kPollTimer = 1;  // tmrRt
constexpr UINT kPollIntervalMs = 50;
// The slow look, twice a second: a window that came to the front while
// nobody touched the input (the system does not always tell of it), input
// that raw input did not bring; every two seconds, the shell.
constexpr UINT_PTR kLookTimer = 2;
constexpr UINT kLookIntervalMs = 500;
constexpr UINT kShellLookMs = 2000;
constexpr UINT kForegroundMessage = WM_APP + 2;

}  // namespace

MainWindow::MainWindow(App& app, PollWake& wake) : app_(app), wake_(wake) {}

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
    // Registering for the display's state brings its first notification at once.
    pause_.Watch(SessionWatch::Source(), ::GetSystemMetrics(SM_REMOTESESSION) != 0);
    sessionWatch_.Keep(hwnd());
    foregroundWatch_.Start(hwnd(), kForegroundMessage);
    wake_.Start(FromHwnd(hwnd()));
    ::SetTimer(hwnd(), kLookTimer, kLookIntervalMs, nullptr);
    FollowWake();
}

void MainWindow::OnUnload() {
    if (unloaded_) return;
    unloaded_ = true;
    sessionWatch_.Stop();
    foregroundWatch_.Stop();
    app_.store.DeleteSection(store_names::kTemp);
    RemoveTrayIcon();
    app_.CloseOtherWindows();
}

void MainWindow::FollowWake() {
    if (wake_.Polling() == polling_ || unloaded_) return;
    polling_ = !polling_;
    if (polling_)
        ::SetTimer(hwnd(), kPollTimer, kPollIntervalMs, nullptr);
    else
        ::KillTimer(hwnd(), kPollTimer);
}

void MainWindow::FollowPause(bool run) {
    if (run != paused_ || unloaded_) return;
    paused_ = !run;
    wake_.Pause(paused_);
    FollowWake();
    if (paused_) {
        ::KillTimer(hwnd(), kLookTimer);
        return;
    }
    ::SetTimer(hwnd(), kLookTimer, kLookIntervalMs, nullptr);
    app_.poller.Resume();
    // A shell may have restarted while the poll stood still.
    app_.trayIcon.Verify();
    app_.glass.LookForTaskbars();
}

void MainWindow::OnInput(LPARAM input) {
    const auto event = ReadRawInput(input);
    if (!event) return;
    const bool pressed = wake_.Heard(*event);
    FollowWake();
    if (pressed) app_.poller.Tick(ModalLoopScope::Depth());
}

void MainWindow::SlowLook() {
    if (!wake_.Polling()) LookWhileAsleep();
    if (++looks_ % (kShellLookMs / kLookIntervalMs) == 0) LookAtTheShell();
}

void MainWindow::LookWhileAsleep() {
    wake_.Look();
    FollowWake();
    app_.poller.Look(ModalLoopScope::Depth());
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
        case TrayCommand::GiveBack:
            GiveBackEveryWindow(app_.platform, app_.glass, app_.store, app_.notice);
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

void MainWindow::GiveTheKeyboardBack(HWND before) {
    // To the window the user worked in: the one in front when the icon was
    // clicked, unless the click brought the taskbar to the front (as on
    // Windows), then the last one the poll saw in front.
    Hwnd back = FromHwnd(before);
    if (app_.windows.IsNeverATarget(back)) back = app_.poller.WindowInFront();
    if (back != 0 && ::IsWindow(ToHwnd(back))) ::SetForegroundWindow(ToHwnd(back));
}

void MainWindow::TaskbarCreated() { app_.glass.ApplyTaskbarAlpha(); }

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            OnLoad();
            return 0;
        case WM_TIMER:
            if (wParam == kPollTimer) {
                app_.poller.Tick(ModalLoopScope::Depth());
                wake_.AfterTick(app_.poller.Busy());
                FollowWake();
            }
            if (wParam == kLookTimer) SlowLook();
            return 0;
        case kInputMessage:
            OnInput(lParam);
            // The system frees the input's record in the default handling.
            return WindowBase::HandleMessage(message, wParam, lParam);
        case kForegroundMessage:
            if (!paused_ && !wake_.Polling()) LookWhileAsleep();
            return 0;
        case kSessionChangeMessage:
            FollowPause(pause_.SessionChanged(static_cast<std::uint32_t>(wParam)));
            return 0;
        case WM_POWERBROADCAST:
            if (wParam == kPowerSettingChange) {
                if (const auto state = DisplayStateOf(reinterpret_cast<const void*>(lParam), SessionWatch::DisplaySetting()))
                    FollowPause(pause_.DisplayChanged(*state));
            }
            return TRUE;
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
