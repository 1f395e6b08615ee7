// The tray menu, the settings dialog and the about box, with real input, and at 100%, 125% and 150% display scale.
#include "driver.h"

#include <sddl.h>

#include <algorithm>

namespace e2e {
namespace {

const wchar_t kStart[] = L"随 WINDOWS 启动时自动启动 Lumvale           ";
const wchar_t kRememberBox[] = L"自动储存每次Windows的透明度设置                   ";
const wchar_t kBeep[] = L"总在最上                ";

// Makes a Run key readable only, as a standard account finds the machine's.
void Refuse(HKEY root, bool refused) {
    HKEY key = nullptr;
    ::RegCreateKeyExW(root, kRunKey.c_str(), 0, nullptr, 0, WRITE_DAC, nullptr, &key, nullptr);
    PSECURITY_DESCRIPTOR security = nullptr;
    ::ConvertStringSecurityDescriptorToSecurityDescriptorW(refused ? L"D:P(A;;KR;;;WD)" : L"D:(A;;KA;;;WD)",
                                                           SDDL_REVISION_1, &security, nullptr);
    ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, security);
    ::LocalFree(security);
    ::RegCloseKey(key);
}

class Dialogs : public Scenario {
protected:
    void TearDown() override {
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) Refuse(root, false);
        Scenario::TearDown();
    }
    static void Pick(HWND list, int index) {
        Click(list);
        WaitUntil([&] { return ::SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0) != 0; });
        for (int i = -1; i < index; ++i) Tap(i < 0 ? VK_HOME : VK_DOWN);  // each key once, as FromTray
        Tap(VK_RETURN);
    }
    // Drags on the slider from `from` pixels into it to `to`, either end passed.
    static void Drag(HWND dialog, int from, int to) {
        const RECT bar = RectOf(Child(dialog, L"LumvaleSlider"));
        const int y = (bar.top + bar.bottom) / 2;
        MoveTo({bar.left + from, y});
        Mouse({bar.left + from, y}, MOUSEEVENTF_LEFTDOWN);
        MoveTo({bar.left + to, y});
        Mouse({bar.left + to, y}, MOUSEEVENTF_LEFTUP);
        Pump(100);
    }
};

TEST_F(Dialogs, TheSettingsShowWhatHoldsAndSaveEveryChangeWhichTakesEffectAtOnce) {
    Lumvale lumvale;  // (every monitor's taskbar takes the same alpha: Startup)
    const HWND dialog = lumvale.FromTray(1, L"LumvaleSettings");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(Topmost(dialog) && Alpha(dialog) == 240);
    EXPECT_FALSE(::IsWindowEnabled(lumvale.main())) << "modal";
    const std::vector<HWND> lists = Children(dialog, L"ComboBox");
    ASSERT_EQ(lists.size(), 2u);
    EXPECT_EQ(TextOf(lists[0]) + TextOf(lists[1]), L"打开   + Ctrl + Shift");
    for (const wchar_t* box : {kStart, kRememberBox, kBeep}) EXPECT_FALSE(Checked(Child(dialog, L"Button", box)));
    Screenshot(L"settings");

    for (const wchar_t* box : {kStart, kRememberBox, kBeep}) Click(Child(dialog, L"Button", box));
    Pick(lists[0], 4);
    Pick(lists[1], 1);
    Drag(dialog, 100, 40);
    EXPECT_TRUE(WaitUntil([&] { return Alpha(Taskbar()) == 135; })) << "the taskbar follows the slider";
    EXPECT_FALSE(Setting(L"TBar")) << "nothing is stored while dragging";
    Click(Child(dialog, L"Button", L"保存 "));
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));
    const std::pair<std::wstring, const wchar_t*> stored[] = {
        {kRemember, L"1"}, {L"Beep", L"1"}, {L"RC", L"4"}, {L"KS", L"1"}, {L"TBar", L"135"}};
    for (const auto& [name, text] : stored) EXPECT_EQ(Setting(name), text);
    EXPECT_TRUE(Read(kRunKey, L"Lumvale", HKEY_LOCAL_MACHINE)) << "its text: the first-run flow";

    // Alt is the hot-key modifier from the next tick on, Ctrl + Shift no more.
    SetSetting(L"Beep", L"0");
    Target target;
    Chord({VK_CONTROL, VK_SHIFT, '3'});
    Chord({VK_MENU, '5'});
    EXPECT_TRUE(WaitUntil([&] { return Alpha(target.get()) == 180; }));

    // Cancel writes nothing, and the taskbar returns to its stored alpha.
    const HWND again = lumvale.FromTray(1, L"LumvaleSettings");
    Click(Child(again, L"Button", kRememberBox));
    Drag(again, 100, -60);
    EXPECT_TRUE(WaitUntil([&] { return Alpha(Taskbar()) == 105; })) << "held beyond the end: the bar stays empty";
    Click(Child(again, L"Button", L"取消   "));
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(again) && Alpha(Taskbar()) == 135; }));
    EXPECT_EQ(Setting(kRemember), L"1");

    // Where both Run keys are refused (which one takes the entry where one
    // is: unit table), the user is told, and the box shows what holds.
    Refuse(HKEY_LOCAL_MACHINE, true);
    Refuse(HKEY_CURRENT_USER, true);
    const HWND refused = lumvale.FromTray(1, L"LumvaleSettings");
    Click(Child(refused, L"Button", kStart));
    Click(Child(refused, L"Button", L"保存 "));
    const HWND message = lumvale.Await(L"#32770");
    EXPECT_EQ(TextOf(::GetDlgItem(message, 0xFFFF)),
              L"无法更改随 Windows 启动的设置：此帐户没有写入注册表启动项（Run 键）的权限。");
    EXPECT_TRUE(Checked(Child(refused, L"Button", kStart)));
    Screenshot(L"run-key-refused");
    Activate(message);
    Chord({VK_RETURN});
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(refused); }));
    EXPECT_TRUE(Read(kRunKey, L"Lumvale", HKEY_LOCAL_MACHINE));
}

TEST_F(Dialogs, TheIconsMenuAndTheAboutBoxFromTheTrayAndFromTheDialog) {
    SetSetting(kRemember, L"1");
    Lumvale lumvale;
    Target target;
    // A right click on the icon, held while its message arrives, opens its menu (its items, by their places:
    // FromTray) and no popup; nothing is recorded of Lumvale.
    const POINT icon = TrayIcon().value_or(POINT{});
    MoveTo(icon);
    Mouse(icon, MOUSEEVENTF_RIGHTDOWN);
    EXPECT_TRUE(lumvale.Await(L"#32768"));
    Pump(300);
    Mouse(icon, MOUSEEVENTF_RIGHTUP);
    Pump(300);
    EXPECT_EQ(lumvale.Window(L"LumvalePopup"), nullptr);
    Screenshot(L"menu");
    Tap(VK_ESCAPE);  // once, as FromTray's keys
    EXPECT_TRUE(WaitUntil([&] { return !lumvale.Window(L"#32768"); }));
    EXPECT_FALSE(Exists(Section(L"Wins")) || Exists(Section(L"Temp")));
    Click(icon);
    ASSERT_TRUE(lumvale.Await(L"#32768"));
    Activate(target.get());
    EXPECT_TRUE(WaitUntil([&] { return !lumvale.Window(L"#32768"); })) << "another program in front closes the menu";
    HWND about = lumvale.FromTray(4, L"LumvaleAbout");
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(Topmost(about) && Alpha(about) == 240);
    EXPECT_TRUE(::IsWindowVisible(Child(about, L"LumvaleFrame")));
    Screenshot(L"about");
    Click(Child(about, L"Button", L"X"));
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(about) && ::IsWindowEnabled(lumvale.main()); }));

    // Over the settings dialog, with the popup open too, then Exit.
    const HWND dialog = lumvale.FromTray(1, L"LumvaleSettings");
    Click(Child(dialog, L"Button", L"关于  "));
    ASSERT_TRUE(WaitUntil([&] { return (about = lumvale.Window(L"LumvaleAbout")) != nullptr; }));
    EXPECT_EQ(::GetWindow(about, GW_OWNER), dialog);
    EXPECT_FALSE(::IsWindowEnabled(dialog));
    Click({RectOf(target.get()).left + 20, RectOf(target.get()).top + 60}, true);
    EXPECT_TRUE(WaitUntil([&] { return lumvale.Window(L"LumvalePopup") != nullptr; })) << "the poller runs on";
    lumvale.FromTray(-1);
    EXPECT_TRUE(lumvale.Ended());
}

using Scale = Scenario;

// The texts of a window's controls, trailing blanks aside, that do not fit
// them in their own font beside a check box's box or a list's arrow at `dpi`.
std::wstring CutTexts(HWND window, int dpi) {
    std::wstring cut;
    const HDC dc = ::GetDC(nullptr);
    const HGDIOBJ previous = ::GetCurrentObject(dc, OBJ_FONT);
    for (const wchar_t* kind : {L"Static", L"Button", L"ComboBox"}) {
        for (HWND control : Children(window, kind)) {
            ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0)));
            RECT client{};
            ::GetClientRect(control, &client);
            const bool box = (::GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX && kind[0] == L'B';
            std::vector<std::wstring> texts{TextOf(control)};
            for (LRESULT i = 0; kind[0] == L'C' && i < ::SendMessageW(control, CB_GETCOUNT, 0, 0); ++i) {
                wchar_t item[256] = {};
                ::SendMessageW(control, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
                texts.push_back(item);
            }
            for (std::wstring text : texts) {
                text.erase(text.find_last_not_of(L' ') + 1);
                SIZE size{};
                ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
                if (size.cx > client.right - (box ? 16 : kind[0] == L'C' ? 21 : 0) * dpi / 96) cut += text + L"; ";
            }
        }
    }
    ::SelectObject(dc, previous);
    ::ReleaseDC(nullptr, dc);
    return cut;
}

TEST_F(Scale, EveryWindowGrowsWithTheDisplayAndNoTextIsCut) {
    for (const int dpi : {96, 120, 144}) {
        SetDpi(dpi);
        Lumvale lumvale;
        const auto expectScaled = [&](HWND window, int width, int height, const wchar_t* name) {
            SCOPED_TRACE(::testing::Message() << name << " at " << dpi);
            ASSERT_NE(window, nullptr);
            RECT client{};
            ::GetClientRect(window, &client);
            EXPECT_NEAR(client.right, width * dpi / 1440, 2);
            EXPECT_NEAR(client.bottom, height * dpi / 1440, 2);
            EXPECT_EQ(CutTexts(window, dpi), L"");
            if (dpi == 144) Screenshot(name);
        };
        Notepad notepad;
        Click(StatusBar(notepad.window()), true);
        expectScaled(lumvale.Await(L"LumvalePopup"), 1650, 3975, L"popup-150");
        Click({900, 700});
        const HWND dialog = lumvale.FromTray(1, L"LumvaleSettings");
        expectScaled(dialog, 6015, 3600, L"settings-150");
        Click(Child(dialog, L"Button", L"关于  "));
        expectScaled(lumvale.Await(L"LumvaleAbout"), 6915, 3810, L"about-150");
        EXPECT_TRUE(lumvale.Exit());
    }
}

}  // namespace
}  // namespace e2e
