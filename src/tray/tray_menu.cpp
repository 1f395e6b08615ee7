#include "tray/tray_menu.h"

#include "platform/window_base.h"

namespace lumvale {
namespace {

constexpr UINT kIdSettings = 101;
constexpr UINT kIdHelp = 102;
constexpr UINT kIdAbout = 103;
constexpr UINT kIdMaker = 104;
constexpr UINT kIdExit = 105;
constexpr UINT kIdGiveBack = 106;

struct Item {
    UINT id;  // 0: separator
    const wchar_t* caption;
};

// mnuSet, the item that gives every window back, mnuDum1, mnuHelp, mnuAbout,
// mnuDum2, mnuTovan, mnuDum3, mnuExit.
constexpr Item kItems[] = {
    {kIdSettings, L"设置     "},
    {kIdGiveBack, L"还原所有窗口"},
    {0, nullptr},
    {kIdHelp, L"帮助 "},
    {kIdAbout, L"关于 Lumvale  "},
    {0, nullptr},
    {kIdMaker, L"Lumvale 汉化小组 出品"},
    {0, nullptr},
    {kIdExit, L"离开"},
};

}  // namespace

TrayMenu::TrayMenu() : bar_(::CreateMenu()), items_(::CreatePopupMenu()) {
    for (const Item& item : kItems) {
        if (item.id == 0)
            ::AppendMenuW(items_, MF_SEPARATOR, 0, nullptr);
        else
            ::AppendMenuW(items_, MF_STRING, item.id, item.caption);
    }
    // The bar owns the popup from here on and destroys it with itself.
    ::AppendMenuW(bar_.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(items_), L"SysTray");
    ::SetMenuDefaultItem(items_, kIdSettings, FALSE);
}

TrayCommand TrayMenu::Track(HWND owner) {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    const ModalLoopScope modal;
    const UINT chosen = static_cast<UINT>(::TrackPopupMenu(
        items_, TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD, cursor.x, cursor.y, 0, owner, nullptr));
    // Lets the menu's owner leave its menu mode cleanly.
    ::PostMessageW(owner, WM_NULL, 0, 0);
    switch (chosen) {
        case kIdSettings: return TrayCommand::Settings;
        case kIdGiveBack: return TrayCommand::GiveBack;
        case kIdHelp: return TrayCommand::Help;
        case kIdAbout: return TrayCommand::About;
        case kIdMaker: return TrayCommand::Maker;
        case kIdExit: return TrayCommand::Exit;
        default: return TrayCommand::None;
    }
}

}  // namespace lumvale
