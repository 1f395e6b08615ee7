#pragma once
// fMain: the hidden main window. It owns the poller's 50 ms timer, the
// program icon and the tray icon with its menu; closing it ends the program.
// It also hears of the session and the display, and of new taskbars.

#include <windows.h>

#include "app/poll_pause.h"
#include "app/poll_wake.h"
#include "platform/input_watch.h"
#include "platform/session_watch.h"
#include "platform/win32_handles.h"
#include "platform/window_base.h"
#include "tray/tray_icon.h"
#include "tray/tray_menu.h"

namespace lumvale {

class App;

class MainWindow : public WindowBase, public TrayMenuOwner {
public:
    MainWindow(App& app, PollWake& wake);

    // Creates the window (and with it the tray icon and the timer) unless it
    // exists.
    void Load();
    // The program icon; asking for it creates the window.
    HICON Icon();
    // Runs the unload steps and destroys the window, which ends the process.
    void Unload();

    void SystemTrayHandler(std::int16_t& action) override;
    void GiveTheKeyboardBack(HWND before) override;
    void TaskbarCreated() override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override;

private:
    void OnLoad();
    void OnUnload();
    // Runs the 50 ms timer exactly while the poll runs.
    void FollowWake();
    // Stops both timers while nobody can use the keys, and starts them again.
    void FollowPause(bool run);
    // A key or the mouse moved.
    void OnInput(LPARAM input);
    // The slow timer: the window in front while the poll stands still, and
    // every couple of seconds the shell.
    void SlowLook();
    // The window in front and the input while the poll stands still: the
    // poll starts where input may have gone unheard.
    void LookWhileAsleep();
    // The icon where the shell refused it, the taskbars that have not got
    // their opacity, the session's notifications where they were refused.
    void LookAtTheShell();

    App& app_;
    unique_icon icon_;
    TrayMenu menu_;
    PollPause pause_;
    PollWake& wake_;
    SessionWatch sessionWatch_;
    ForegroundWatch foregroundWatch_;
    unsigned looks_ = 0;
    bool polling_ = false;  // the 50 ms timer runs
    bool paused_ = false;
    bool unloaded_ = false;
};

}  // namespace lumvale
