// The popup window in the test process: its controls, texts and tooltips.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/win32_handles.h"
#include "platform/win32_platform.h"
#include "popup/popup_window.h"
#include "win32_test_util.h"

namespace lumvale {
namespace {

std::wstring Text(HWND window) {
    wchar_t buffer[512] = {};
    ::GetWindowTextW(window, buffer, 512);
    return buffer;
}

HWND Child(HWND parent, const wchar_t* className, const std::wstring* text = nullptr) {
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[64] = {};
        ::GetClassNameW(child, name, 64);
        if (std::wstring(name) == className && (!text || Text(child) == *text)) return child;
        if (HWND deeper = Child(child, className, text)) return deeper;
    }
    return nullptr;
}

RECT InParent(HWND child) {
    RECT rect{};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Every tool of the tooltip control owned by `window`, by the control it is for.
std::map<HWND, std::wstring> TooltipTexts(HWND window) {
    std::map<HWND, std::wstring> texts;
    HWND tooltip = nullptr;
    for (HWND candidate = ::FindWindowW(TOOLTIPS_CLASSW, nullptr); candidate;
         candidate = ::FindWindowExW(nullptr, candidate, TOOLTIPS_CLASSW, nullptr))
        if (::GetWindow(candidate, GW_OWNER) == window) tooltip = candidate;
    if (!tooltip) return texts;
    const int count = static_cast<int>(::SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        TOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V1_SIZE;
        tool.lpszText = text;
        if (::SendMessageW(tooltip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tool)))
            texts[reinterpret_cast<HWND>(tool.uId)] = text;
    }
    return texts;
}

class PopupWindowTest : public ::testing::Test {
protected:
    void SetUp() override { win32test::DeleteProgramKey(); }
    void TearDown() override {
        if (PopupWindow* open = slot) open->Close();
        win32test::DeleteProgramKey();
    }

    Win32Platform platform;
    SettingsStore store{platform};
    Settings settings;
    Glass glass{platform, store};
    WindowInfo windows{platform};
    PopupLogic logic{platform, store, settings, glass, windows};
    PopupWindow* slot = nullptr;
};

TEST_F(PopupWindowTest, ControlsSitInTheirContainersWithTheirTextsAndTips) {
    win32test::TestWindow target(L"A title longer than the label");
    ::SetForegroundWindow(target.get());
    PopupContent content = logic.ShowMe().value();
    content.target = FromHwnd(target.get());
    PopupWindow::Open(logic, glass, platform, content, nullptr, &slot);
    ASSERT_NE(slot, nullptr);
    HWND popup = slot->hwnd();

    RECT client{};
    ::GetClientRect(popup, &client);
    EXPECT_EQ(client.right, 110);
    EXPECT_EQ(client.bottom, 239);
    EXPECT_EQ(::GetWindowLongW(popup, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);
    EXPECT_EQ(Text(popup), L"");

    HWND list = Child(popup, L"ListBox");
    ASSERT_NE(list, nullptr);
    const RECT listRect = InParent(list);
    EXPECT_EQ(listRect.left, -2);
    EXPECT_EQ(listRect.top, -2);
    RECT container{};
    ::GetClientRect(::GetParent(list), &container);
    EXPECT_EQ(container.right, 87);  // 1305 twips: the list's border is cut off
    EXPECT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), 9);

    const std::wstring noGlass = L"取消所有设定   ", top = L"最上  ", always = L"保存";
    HWND noGlassButton = Child(popup, L"Button", &noGlass);
    HWND topBox = Child(popup, L"Button", &top);
    HWND alwaysBox = Child(popup, L"Button", &always);
    ASSERT_TRUE(noGlassButton && topBox && alwaysBox);
    EXPECT_EQ(InParent(topBox).top, 26);
    EXPECT_EQ(InParent(alwaysBox).left, 45);
    EXPECT_EQ(::GetParent(topBox), ::GetParent(noGlassButton));

    const std::wstring classCaption = L"LumvaleTestWind...";
    HWND classLabel = Child(popup, L"Static", &classCaption);
    ASSERT_NE(classLabel, nullptr);
    EXPECT_EQ(::GetParent(classLabel), popup);

    auto tips = TooltipTexts(popup);
    EXPECT_EQ(tips[list], L"请选择透明度 （10%非常透明，90%接近不透明）" + std::wstring(36, L' '));
    EXPECT_EQ(tips[noGlassButton], L"使本窗口不透明" + std::wstring(35, L' '));
    EXPECT_EQ(tips[topBox], L"选择这项将使本窗口在Windows所有窗口之上" + std::wstring(27, L' '));
    EXPECT_EQ(tips[alwaysBox], L"选择这项将永久使Windows 保持透明" + std::wstring(25, L' '));
    EXPECT_EQ(tips[classLabel], L"A title longer than the label");
}

TEST_F(PopupWindowTest, ClosingFromItsOwnListHandlerIsDeferredUntilItReturns) {
    win32test::TestWindow target;
    ::SetForegroundWindow(target.get());
    // The choice closes the popup through the opacity change, from inside
    // the popup's own handler.
    struct Closer : PopupCloser {
        PopupWindow** slot;
        int calls = 0;
        void ClosePopup() override {
            ++calls;
            if (PopupWindow* open = *slot) {
                *slot = nullptr;
                open->Close();
            }
        }
    } closer;
    closer.slot = &slot;
    glass.SetPopupCloser(&closer);
    PopupContent content = logic.ShowMe().value();
    PopupWindow::Open(logic, glass, platform, content, nullptr, &slot);
    ASSERT_NE(slot, nullptr);
    HWND popup = slot->hwnd();
    HWND list = Child(popup, L"ListBox");
    ::SendMessageW(list, LB_SETCURSEL, 2, 0);
    ::SendMessageW(::GetParent(list), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(list), LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list));
    EXPECT_EQ(closer.calls, 1);
    EXPECT_FALSE(::IsWindow(popup));
    EXPECT_EQ(slot, nullptr);
    EXPECT_EQ(win32test::LayeredAlpha(target.get()), 150);
    glass.SetPopupCloser(nullptr);
}

}  // namespace
}  // namespace lumvale
