#include "app/app.h"

#include "app/version_check.h"

namespace lumvale {

const wchar_t kTooOldMessage[] = L"抱歉，Lumvale无法在低于win 2k以下的系统运行！             ";

App::App() {
    glass.SetPopupCloser(this);
    poller.SetPopup(this);
}

App::~App() = default;

int App::Main() {
    if (!IsWindows2000OrLater(platform)) {
        ::MessageBoxW(nullptr, kTooOldMessage, L"Lumvale", MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
    // The splash's loading creates the hidden main window with the tray icon
    // and the poller's timer; Load only makes sure that it exists.
    fAbout.SplashWin();
    fMain.Load();
    LoadSettings();

    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    // A handler that was still running when the main window closed (a
    // choice in the popup whose beep let the close in) has returned now:
    // whatever it recorded for this run goes too.
    store.DeleteSection(store_names::kTemp);
    return 0;
}

void App::LoadSettings() {
    ReadSettings(store, settings);
    glass.ApplyTaskbarAlpha();
    store.DeleteSection(store_names::kTemp);
    // From here on the poller reads the records only when the store changed.
    platform.RegNotifyChangeKeyValue(kApplicationKey);
}

void App::ShowMe() {
    // Each popup starts from the design state of its controls.
    ClosePopup();
    if (auto content = popupLogic.ShowMe()) fPopup = PopupWindow::Open(popupLogic, glass, platform, *content, fMain.hwnd());
}

void App::ClosePopup() {
    // Let go first: closing dispatches messages, which may ask again.
    if (const std::shared_ptr<PopupWindow> open = std::move(fPopup)) open->Close();
}

bool App::ShowSettings() {
    if (fSettings.exists()) {
        fSettings.BringToFront();
        return false;
    }
    fSettings.ShowModal(fMain.hwnd());
    return true;
}

void App::ShowAbout() { fAbout.About(); }

void App::CloseOtherWindows() {
    fAbout.Unload();
    ClosePopup();
    fSettings.Close();
}

}  // namespace lumvale
