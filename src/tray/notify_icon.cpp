#include "tray/notify_icon.h"

namespace lumvale {

void NotifyIcon::Add(const NotifyIconData& record) {
    record_ = record;
    added_ = true;
    askToAdd_ = false;
    shown_ = platform_.ShellNotifyIcon(NotifyIconMessage::Add, record_);
}

void NotifyIcon::KeepShown() {
    if (!added_ || shown_) return;
    const Hwnd shell = platform_.FindWindowEx(0, 0, L"Shell_TrayWnd");
    if (shell == 0 || !platform_.SendMessageTimeout(shell, kAnswerTimeoutMs)) return;
    const NotifyIconMessage ask = askToAdd_ ? NotifyIconMessage::Add : NotifyIconMessage::Modify;
    askToAdd_ = !askToAdd_;
    shown_ = platform_.ShellNotifyIcon(ask, record_);
}

void NotifyIcon::Verify() {
    shown_ = askToAdd_ = false;
    KeepShown();
}

void NotifyIcon::HearFromTheShell(Hwnd owner, std::uint32_t message) {
    // Windows 7 and later let it through to the one window, Vista to the
    // process; earlier systems filter nothing.
    if (!platform_.ChangeWindowMessageFilterEx(owner, message)) platform_.ChangeWindowMessageFilter(message);
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
