#pragma once
// fMain: the hidden main window. It owns the poller's 50 ms timer, the
// program icon and the tray icon with its menu; closing it ends the program.
// It also hears of the session and the display, and of new taskbars.

#include "app/poll_pause.h"
#include "platform/session_watch.h"
#include "platform/win32_handles.h"
#include "platform/window_base.h"
#include "tray/tray_icon.h"
#include "tray/tray_menu.h"

namespace lumvale {

class App;

class MainWindow : public WindowBase, public TrayMenuOwner {
public:
    explicit MainWindow(App& app) : app_(app) {}

    // Creates the window (and with it the tray icon and the timer) unless it
    // exists.
    void Load();
    // The program icon; asking for it creates the window.
    HICON Icon();
    // Runs the unload steps and destroys the window, which ends the process.
    void Unload();

    void SystemTrayHandler(std::int16_t& action) override;
    void TaskbarCreated() override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override;

private:
    void OnLoad();
    void OnUnload();
    void StartTimers();
    // Stops the timers while nobody can use the keys, and starts them again.
    void FollowPause(bool run);
    // Every couple of seconds: the icon where the shell refused it, the
    // taskbars that have not got their opacity.
    void LookAtTheShell();

    App& app_;
    unique_icon icon_;
    TrayMenu menu_;
    PollPause pause_;
    SessionWatch sessionWatch_;
    bool polling_ = false;
    bool unloaded_ = false;
};

}  // namespace lumvale
