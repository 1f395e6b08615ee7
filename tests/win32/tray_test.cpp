// The tray icon's window procedure and the menu, on a window of the test
// process, with Wine's shell.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tray/tray_icon.h"
#include "tray/tray_menu.h"
#include "win32_test_util.h"

namespace lumvale {
namespace {

class RecordingOwner : public TrayMenuOwner {
public:
    void SystemTrayHandler(std::int16_t& action) override { actions.push_back(action); }
    std::vector<std::int16_t> actions;
};

// Counts what reaches the window's own procedure.
int ownProcedureCalls = 0;
LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kTrayCallbackMessage || message == WM_USER + 7) ++ownProcedureCalls;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = CountingProc;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"LumvaleTrayTest";
        ::RegisterClassW(&windowClass);
        owner_ = ::CreateWindowExW(0, L"LumvaleTrayTest", L"Lumvale", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
        icon_ = ::LoadIconW(nullptr, MAKEINTRESOURCEW(32512));
        ownProcedureCalls = 0;
    }
    void TearDown() override { ::DestroyWindow(owner_); }

    // Whether the shell knows the icon: modifying an unknown icon fails.
    bool ShellHasIcon() {
        NOTIFYICONDATAW record{};
        record.cbSize = NOTIFYICONDATAW_V1_SIZE;
        record.hWnd = owner_;
        record.uID = Id();
        record.uFlags = NIF_TIP;
        wcscpy(record.szTip, L"Lumvale");
        return ::Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE;
    }
    UINT Id() const { return static_cast<UINT>(reinterpret_cast<UINT_PTR>(icon_)); }

    HWND owner_ = nullptr;
    HICON icon_ = nullptr;
    RecordingOwner menuOwner_;
};

TEST_F(TrayIconTest, ButtonPressesOpenTheMenuAndEverythingElseGoesToTheWindow) {
    const LONG_PTR ownProc = ::GetWindowLongPtrW(owner_, GWLP_WNDPROC);
    AddTrayIcon(owner_, Id(), icon_, L"Lumvale", &menuOwner_);
    EXPECT_NE(::GetWindowLongPtrW(owner_, GWLP_WNDPROC), ownProc);
    EXPECT_TRUE(ShellHasIcon());

    EXPECT_EQ(::SendMessageW(owner_, kTrayCallbackMessage, Id(), WM_LBUTTONDOWN), -1);
    EXPECT_EQ(::SendMessageW(owner_, kTrayCallbackMessage, Id(), WM_RBUTTONDOWN), -1);
    EXPECT_EQ(menuOwner_.actions, (std::vector<std::int16_t>{kTrayActionLeftButton, kTrayActionRightButton}));
    EXPECT_EQ(ownProcedureCalls, 0);

    for (LPARAM mouse : {0x200, 0x202, 0x203, 0x205, 0x206, 0x207, 0x208, 0x209})
        ::SendMessageW(owner_, kTrayCallbackMessage, Id(), mouse);
    ::SendMessageW(owner_, WM_USER + 7, 0, 0);
    EXPECT_EQ(menuOwner_.actions.size(), 2u);
    EXPECT_EQ(ownProcedureCalls, 9);

    RemoveTrayIcon();
    EXPECT_EQ(::GetWindowLongPtrW(owner_, GWLP_WNDPROC), ownProc);
    EXPECT_FALSE(ShellHasIcon());
    ::SendMessageW(owner_, kTrayCallbackMessage, Id(), WM_LBUTTONDOWN);
    EXPECT_EQ(menuOwner_.actions.size(), 2u);
}

TEST_F(TrayIconTest, TheIconIsAddedAgainWhenTheShellAnnouncesANewTaskbar) {
    AddTrayIcon(owner_, Id(), icon_, L"Lumvale", &menuOwner_);
    // A restarted shell has lost every icon, then broadcasts the message.
    NOTIFYICONDATAW record{};
    record.cbSize = NOTIFYICONDATAW_V1_SIZE;
    record.hWnd = owner_;
    record.uID = Id();
    ASSERT_TRUE(::Shell_NotifyIconW(NIM_DELETE, &record));
    ASSERT_FALSE(ShellHasIcon());
    ::SendMessageW(owner_, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(ShellHasIcon());
    RemoveTrayIcon();
}

TEST(TrayMenuTest, HoldsTheEightItemsWithTheSettingsItemInBold) {
    TrayMenu menu;
    HMENU items = menu.items();
    ASSERT_EQ(::GetMenuItemCount(items), 8);
    const wchar_t* captions[] = {L"设置     ", nullptr, L"帮助 ", L"关于 Lumvale  ", nullptr, nullptr, nullptr, L"离开"};
    for (int i = 0; i < 8; ++i) {
        MENUITEMINFOW info{};
        wchar_t text[128] = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 128;
        ASSERT_TRUE(::GetMenuItemInfoW(items, static_cast<UINT>(i), TRUE, &info));
        const bool separator = (info.fType & MFT_SEPARATOR) != 0;
        EXPECT_EQ(separator, i == 1 || i == 4 || i == 6) << i;
        if (captions[i]) EXPECT_EQ(std::wstring(text), captions[i]) << i;
    }
    EXPECT_EQ(::GetMenuDefaultItem(items, TRUE, 0), 0u);
    wchar_t credit[128] = {};
    ::GetMenuStringW(items, 5, credit, 128, MF_BYPOSITION);
    EXPECT_NE(std::wstring(credit).find(L"汉化"), std::wstring::npos);
}

}  // namespace
}  // namespace lumvale
