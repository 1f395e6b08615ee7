#pragma once
// The program's process-wide objects and its start-up.

#include "about/about_window.h"
#include "app/main_window.h"
#include "app/poller.h"
#include "store/settings.h"
#include "glass/glass.h"
#include "platform/win32_platform.h"
#include "popup/popup_logic.h"
#include "popup/popup_window.h"
#include "popup/window_info.h"
#include "settings/settings_dialog.h"
#include "tray/notify_icon.h"

namespace lumvale {

class App : public PopupControl, public AboutOwner {
public:
    App();
    ~App() override;

    // Start-up: refuses systems older than Windows 2000, shows the splash
    // (whose loading creates the hidden main window), loads the settings;
    // then runs the message loop until the main window is gone.
    int Main();
    // Reads the settings into memory, applies the stored taskbar alpha and
    // empties the run records.
    void LoadSettings();

    // PopupControl.
    void ShowMe() override;
    void ClosePopup() override;

    // Modal windows of the tray menu; each brings an open one to the front
    // instead of opening a second. ShowSettings returns true once the dialog
    // it opened has closed, false when it only brought the open one forward.
    bool ShowSettings() override;
    void ShowAbout();
    // Closes the about box, the popup and the settings dialog if open.
    void CloseOtherWindows();

    // AboutOwner.
    HWND MainWindowHandle() override {
        fMain.Load();
        return fMain.hwnd();
    }
    HICON MainWindowIcon() override { return fMain.Icon(); }

    Win32Platform platform;
    SettingsStore store{platform};
    Settings settings;
    Glass glass{platform, store};
    WindowInfo windows{platform};
    NotifyIcon trayIcon{platform};
    RefusalNotice notice{platform, trayIcon};
    Poller poller{platform, store, settings, glass, windows, notice};
    PollWake wake{platform, windows};
    PopupLogic popupLogic{platform, store, settings, glass, windows, notice};
    MainWindow fMain{*this, wake};
    // The open popup, if any.
    std::shared_ptr<PopupWindow> fPopup;
    SettingsDialog fSettings{platform, store, settings, glass, [this] { ShowAbout(); }};
    AboutWindow fAbout{*this, platform, store, glass};
};

// The text of the message shown on systems older than Windows 2000.
extern const wchar_t kTooOldMessage[];

}  // namespace lumvale
