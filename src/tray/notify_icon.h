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
    // While the shell has refused the icon, asks whether it holds it after
    // all (a request that timed out may still have arrived: the icon is not
    // added twice) and adds it where not. Called every couple of seconds.
    void KeepShown();
    // Asks the same, whatever the shell answered before: a shell may have
    // restarted while nobody watched.
    void Verify();
    void Remove();

    bool ShowBalloon(const std::wstring& text) override;
    bool shown() const { return shown_; }

private:
    Platform& platform_;
    NotifyIconData record_;
    bool added_ = false;  // between Add and Remove
    bool shown_ = false;  // the shell took the last request
};

}  // namespace lumvale
