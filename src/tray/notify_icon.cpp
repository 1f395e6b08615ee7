#include "tray/notify_icon.h"

namespace lumvale {

void NotifyIcon::Add(const NotifyIconData& record) {
    record_ = record;
    added_ = true;
    shown_ = platform_.ShellNotifyIcon(NotifyIconMessage::Add, record_);
}

void NotifyIcon::KeepShown() {
    if (!shown_) Verify();
}

void NotifyIcon::Verify() {
    if (!added_) return;
    shown_ = platform_.ShellNotifyIcon(NotifyIconMessage::Modify, record_) ||
             platform_.ShellNotifyIcon(NotifyIconMessage::Add, record_);
}

void NotifyIcon::Remove() {
    if (added_) platform_.ShellNotifyIcon(NotifyIconMessage::Delete, record_);
    added_ = shown_ = false;
}

bool NotifyIcon::ShowBalloon(const std::wstring& text) {
    if (!shown_) return false;
    NotifyIconData balloon = record_;
    balloon.infoTitle = L"Lumvale";
    balloon.info = text;
    return platform_.ShellNotifyIcon(NotifyIconMessage::Modify, balloon);
}

}  // namespace lumvale
