#pragma once
// The notification-area icon as the shell holds it. A shell that is still
// starting at log-on, or too busy to answer, refuses the icon, and no
// "TaskbarCreated" follows when it becomes ready: the icon is asked for
// again every couple of seconds until the shell holds it.

#include "glass/refusal_notice.h"
#include "platform/platform.h"

namespace lumvale {

class NotifyIcon : public Balloon {
public:
    explicit NotifyIcon(Platform& platform) : platform_(platform) {}

    // Asks the shell to show the icon of `record` (and again on a new
    // taskbar, which holds none of the old one's icons).
    void Add(const NotifyIconData& record);
    void Add() { Add(record_); }
    // While the shell has refused the icon, asks it once per call, in turn,
    // whether it holds the icon after all (a request that timed out may
    // still have arrived: the icon is not added twice) and to add it. A
    // shell that does not answer at once is not asked: each request would
    // hold this thread, and the hot-keys, until the shell's own time-out.
    // Called every couple of seconds.
    void KeepShown();
    // Asks the same, whatever the shell answered before: a shell may have
    // restarted while nobody watched.
    void Verify();
    void Remove();
    // Lets the shell's `message` ("TaskbarCreated") reach `owner` although
    // the shell runs with fewer rights, as for a Lumvale run elevated.
    void HearFromTheShell(Hwnd owner, std::uint32_t message);

    bool ShowBalloon(const std::wstring& text) override;
    bool shown() const { return shown_; }

private:
    Platform& platform_;
    NotifyIconData record_;
    bool added_ = false;  // between Add and Remove
    bool shown_ = false;  // the shell took the last request
    bool askToAdd_ = false;  // the next look asks for an add, not whether it holds the icon
};

}  // namespace lumvale
