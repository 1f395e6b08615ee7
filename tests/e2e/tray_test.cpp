// The notification-area icon and its menu, driven through the shell.
#include <gtest/gtest.h>

#include "driver.h"

namespace e2e {
namespace {

class Tray : public ::testing::Test {
protected:
    void SetUp() override {
        ReleaseEverything();
        ResetStore();
        MarkSettingsSaved();
        ASSERT_FALSE(FindLumvaleTrayIcon()) << "an icon is left from before";
        lumvale_ = std::make_unique<Lumvale>();
        ASSERT_NE(lumvale_->mainWindow(), nullptr);
        ASSERT_TRUE(WaitUntil([&] { return FindLumvaleTrayIcon().has_value(); }));
    }
    void TearDown() override {
        if (HWND menu = OpenMenuOf(lumvale_->process().id())) {
            PressChord({VK_ESCAPE});
            WaitUntil([&] { return !::IsWindowVisible(menu); }, 2000);
        }
        lumvale_->Close();
        // An orderly exit takes the icon away.
        EXPECT_TRUE(WaitUntil([&] { return !FindLumvaleTrayIcon(); }));
        ResetStore();
    }

    HWND WaitForMenu(int timeoutMs = 3000) const {
        HWND menu = nullptr;
        WaitUntil([&] { return (menu = OpenMenuOf(lumvale_->process().id())) != nullptr; }, timeoutMs);
        return menu;
    }
    POINT ClickIcon(bool right) {
        const POINT at = FindLumvaleTrayIcon().value_or(POINT{-1, -1});
        Click(at.x, at.y, right);
        return at;
    }

    std::unique_ptr<Lumvale> lumvale_;
};

TEST_F(Tray, BothButtonsOpenTheMenuAtThePointer) {
    for (bool right : {false, true}) {
        const POINT at = ClickIcon(right);
        HWND menu = WaitForMenu();
        ASSERT_NE(menu, nullptr) << (right ? "right" : "left");
        // The icon sits in the bottom right corner of the screen: the menu
        // is moved to fit above the taskbar, next to the pointer.
        const RECT box = WindowRectOf(menu);
        EXPECT_EQ(box.right, ::GetSystemMetrics(SM_CXSCREEN));
        EXPECT_EQ(box.bottom, WindowRectOf(Taskbar()).top);
        EXPECT_LE(box.left, at.x);
        // The menu's owner came to the front, so a click elsewhere closes it.
        DWORD front = 0;
        ::GetWindowThreadProcessId(::GetForegroundWindow(), &front);
        EXPECT_EQ(front, lumvale_->process().id()) << ClassOf(::GetForegroundWindow()).size();
        Screenshot(right ? L"tray-menu-right" : L"tray-menu-left");
        Click(300, 300);
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(menu); }, 3000));
        PumpMessages(200);
    }
}

TEST_F(Tray, ReleasesDoubleClicksAndMovesOpenNothing) {
    for (UINT mouse : {0x200u, 0x202u, 0x203u, 0x205u, 0x206u, 0x207u, 0x208u, 0x209u}) {
        PostTrayNotification(lumvale_->mainWindow(), mouse);
        PumpMessages(250);
        EXPECT_EQ(OpenMenuOf(lumvale_->process().id()), nullptr) << std::hex << mouse;
    }
    // The same channel with a button press opens it.
    MoveMouse(500, 400);
    PumpMessages(100);
    POINT cursor{};
    ::GetCursorPos(&cursor);
    PostTrayNotification(lumvale_->mainWindow(), WM_RBUTTONDOWN);
    HWND menu = WaitForMenu();
    ASSERT_NE(menu, nullptr);
    // Room enough: the menu's top left corner is at the pointer.
    const RECT box = WindowRectOf(menu);
    EXPECT_EQ(box.left, cursor.x);
    EXPECT_EQ(box.top, cursor.y);
}

TEST_F(Tray, ExitChosenWithRealInputRemovesTheIconAndTheRunRecords) {
    WriteValue(L"Temp", L"4242", L"1");
    ClickIcon(true);
    ASSERT_NE(WaitForMenu(), nullptr);
    // Up from no selection picks the last item, "离开".
    PressChord({VK_UP});
    PressChord({VK_RETURN});
    EXPECT_TRUE(lumvale_->process().WaitForExit(5000));
    EXPECT_TRUE(WaitUntil([&] { return !FindLumvaleTrayIcon(); }));
    EXPECT_FALSE(SectionExists(L"Temp"));
}

TEST_F(Tray, HelpAndTheCreditHandTheirAddressesToTheShell) {
    RegisterUrlRecorder();
    // Down from no selection: 设置, then 帮助 (the separator is skipped),
    // 关于, then the credit line.
    const std::pair<int, std::wstring> items[] = {{2, L"http://www.example.com/products/lumvale.shtml"},
                                                  {4, L"http://www.example.com"}};
    for (const auto& [downs, address] : items) {
        ClearRecordedUrls();
        ClickIcon(false);
        ASSERT_NE(WaitForMenu(), nullptr);
        for (int i = 0; i < downs; ++i) PressChord({VK_DOWN}, 40);
        PressChord({VK_RETURN});
        ASSERT_TRUE(WaitUntil([&] { return !RecordedUrls().empty(); }, 10000)) << downs;
        EXPECT_EQ(RecordedUrls(), std::vector<std::wstring>{address});
    }
}

}  // namespace
}  // namespace e2e
