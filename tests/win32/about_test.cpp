// fAbout as a real window of the test process: the splash and its first-run
// step, the modal about box with its close button, its pixels.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "about/about_window.h"
#include "platform/win32_platform.h"
#include "win32_test_util.h"

namespace lumvale {
namespace {

using win32test::PumpMessages;

constexpr COLORREF kIconColour = RGB(255, 0, 255);

unique_icon SolidIcon(COLORREF colour) {
    WindowDc screen(nullptr);
    unique_gdi_object image(::CreateCompatibleBitmap(screen.get(), 32, 32));
    unique_gdi_object mask(::CreateBitmap(32, 32, 1, 1, nullptr));
    {
        unique_memory_dc memory(::CreateCompatibleDC(screen.get()));
        SelectionGuard selected(memory.get(), image.get());
        unique_gdi_object brush(::CreateSolidBrush(colour));
        RECT all{0, 0, 32, 32};
        ::FillRect(memory.get(), &all, static_cast<HBRUSH>(brush.get()));
        SelectionGuard maskSelected(memory.get(), mask.get());
        ::PatBlt(memory.get(), 0, 0, 32, 32, BLACKNESS);  // opaque everywhere
    }
    ICONINFO info{TRUE, 0, 0, static_cast<HBITMAP>(mask.get()), static_cast<HBITMAP>(image.get())};
    return unique_icon(::CreateIconIndirect(&info));
}

// The rest of the program as the about window sees it.
class RecordingOwner : public AboutOwner {
public:
    RecordingOwner() { ::ShowWindow(main.get(), SW_HIDE); }
    HWND MainWindowHandle() override { return main.get(); }
    HICON MainWindowIcon() override {
        ++iconReads;
        visibleAtIconRead = about && ::IsWindowVisible(about->hwnd());
        return icon.get();
    }
    bool ShowSettings() override {
        ++settingsShown;
        aboutOpenAtSettings = about && about->exists();
        return true;
    }

    // Hidden, of the program's kind (class LumvaleTestWindow).
    win32test::TestWindow main{L"the hidden main window", nullptr, WS_POPUP};
    const AboutWindow* about = nullptr;
    unique_icon icon = SolidIcon(kIconColour);
    int iconReads = 0;
    bool visibleAtIconRead = true;
    int settingsShown = 0;
    bool aboutOpenAtSettings = true;
};

// Runs `action` once from inside the message loop that is current
// `delayMs` from now: the modal loop of About.
std::function<void()> pendingAction;
VOID CALLBACK RunPendingAction(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    auto action = std::move(pendingAction);
    if (action) action();
}
void DuringModalLoop(int delayMs, std::function<void()> action) {
    pendingAction = std::move(action);
    ::SetTimer(nullptr, 0, static_cast<UINT>(delayMs), &RunPendingAction);
}

bool PumpUntil(const std::function<bool()>& condition, int timeoutMs) {
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (static_cast<int>(::GetTickCount() - start) > timeoutMs) return false;
        PumpMessages(20);
    }
    return true;
}

// A top-level window of another program's kind: not disabled by the modal box.
class ForeignWindow {
public:
    ForeignWindow() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ::DefWindowProcW;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"ForeignTestWindow";
        ::RegisterClassW(&windowClass);
        window_ = ::CreateWindowExW(0, L"ForeignTestWindow", L"foreign", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                    nullptr, nullptr, windowClass.hInstance, nullptr);
    }
    ~ForeignWindow() { ::DestroyWindow(window_); }
    HWND get() const { return window_; }

private:
    HWND window_;
};

struct Box {
    int left, top, right, bottom;  // inclusive; left > right when nothing was found
};
Box Find(const win32test::Pixels& pixels, COLORREF colour, int left, int top, int right, int bottom) {
    Box box{right + 1, bottom + 1, left - 1, top - 1};
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            if (pixels.At(x, y) == colour) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}

std::wstring TooltipTextOf(HWND owner) {
    HWND tooltip = nullptr;
    while ((tooltip = ::FindWindowExW(nullptr, tooltip, TOOLTIPS_CLASSW, nullptr)))
        if (::GetWindow(tooltip, GW_OWNER) == owner) break;
    if (!tooltip || ::SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0) != 1) return L"(no single tool)";
    wchar_t text[128] = {};
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.lpszText = text;
    ::SendMessageW(tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool));
    return text;
}

class AboutWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        win32test::DeleteProgramKey();
        owner.about = &about;
    }
    void TearDown() override {
        about.Unload();
        win32test::DeleteProgramKey();
    }

    Win32Platform platform;
    SettingsStore store{platform};
    Glass glass{platform, store};
    RecordingOwner owner;
    AboutWindow about{owner, platform, store, glass};
};

// Its looks and lifetime are checked end to end; here what only the
// process itself sees.
TEST_F(AboutWindowTest, TheSplashReadsTheIconBeforeShowingTakesNoFocusAndOpensTheFirstRunSettingsAfterClosing) {
    win32test::TestWindow front(L"where the user types");
    ::SetForegroundWindow(front.get());
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == front.get(); }, 3000));

    about.SplashWin();
    ASSERT_TRUE(about.exists());
    EXPECT_TRUE(::IsWindowVisible(about.hwnd()));
    EXPECT_FALSE(::IsWindowVisible(about.closeFrame()));
    EXPECT_EQ(owner.iconReads, 1);
    EXPECT_FALSE(owner.visibleAtIconRead);
    EXPECT_EQ(::GetForegroundWindow(), front.get());

    ASSERT_TRUE(PumpUntil([&] { return !about.exists(); }, 8000));
    EXPECT_EQ(owner.settingsShown, 1);
    EXPECT_FALSE(owner.aboutOpenAtSettings);

    // Once the settings were saved, the splash only closes.
    store.WriteSetting(store_names::kSettings, store_names::kRemember, L"0");
    about.SplashWin();
    ASSERT_TRUE(PumpUntil([&] { return !about.exists(); }, 8000));
    PumpMessages(200);
    EXPECT_EQ(owner.settingsShown, 1);
}

TEST_F(AboutWindowTest, AboutIsModalOverTheProgramsWindowsAndItsCloseButtonClosesIt) {
    win32test::TestWindow programWindow(L"one of the program's windows");  // class LumvaleTestWindow
    ForeignWindow foreign;
    bool checked = false;
    DuringModalLoop(300, [&] {
        checked = true;
        const HWND window = about.hwnd();
        ASSERT_TRUE(about.exists());
        EXPECT_TRUE(::IsWindowVisible(about.closeButton()));
        EXPECT_EQ(TooltipTextOf(window), std::wstring(L"关闭这个窗口     "));
        EXPECT_FALSE(::IsWindowEnabled(programWindow.get()));
        EXPECT_FALSE(::IsWindowEnabled(owner.main.get()));
        EXPECT_EQ(::GetWindow(window, GW_OWNER), owner.main.get());
        EXPECT_TRUE(::IsWindowEnabled(foreign.get()));

        // The links show the up arrow; the rest of the window the arrow.
        const HCURSOR upArrow = ::LoadCursorW(nullptr, IDC_UPARROW);
        const HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
        const auto cursorAt = [&](int x, int y, HCURSOR expected) {
            // Wine now and then moves the pointer late; move it again then.
            for (int attempt = 0; attempt < 3; ++attempt) {
                win32test::SendMouse(window, x, y, 0);
                if (PumpUntil([&] { return ::GetCursor() == expected; }, 700)) return true;
            }
            return false;
        };
        EXPECT_TRUE(cursorAt(343, 239, upArrow)) << "over lbWWW";
        EXPECT_TRUE(cursorAt(300, 212, arrow)) << "over Version";
        EXPECT_TRUE(cursorAt(100, 239, upArrow)) << "over lbEmail";
        EXPECT_TRUE(cursorAt(300, 100, arrow)) << "over the product name";

        // The button's visible middle, inside its clipping box.
        RECT button{};
        ::GetClientRect(about.closeButton(), &button);
        win32test::ClickAt(about.closeButton(), button.right / 2 - 1, button.bottom / 2 - 1);
    });
    about.About();
    EXPECT_TRUE(checked);
    EXPECT_FALSE(about.exists());
    EXPECT_TRUE(::IsWindowEnabled(programWindow.get()));
    EXPECT_TRUE(::IsWindowEnabled(owner.main.get()));
    EXPECT_EQ(owner.settingsShown, 0);
}

TEST_F(AboutWindowTest, EscClosesTheAboutBox) {
    DuringModalLoop(100, [&] {
        PumpUntil([&] { return ::GetForegroundWindow() == about.hwnd(); }, 3000);
        PumpMessages(300);
        INPUT keys[2] = {};
        keys[0].type = keys[1].type = INPUT_KEYBOARD;
        keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(2, keys, sizeof(INPUT));
        // Should Esc not close it, the test still ends.
        DuringModalLoop(3000, [&] { about.Unload(); });
    });
    const DWORD start = ::GetTickCount();
    about.About();
    EXPECT_LT(::GetTickCount() - start, 2500u) << "Esc did not close it";
    ::KillTimer(nullptr, 0);
    pendingAction = nullptr;
}

TEST_F(AboutWindowTest, EveryElementIsPaintedWhereTheLayoutPutsIt) {
    win32test::Pixels pixels;
    DuringModalLoop(300, [&] {
        pixels = win32test::CaptureClient(about.hwnd());
        about.Unload();
    });
    about.About();
    ASSERT_EQ(pixels.Width(), 461);
    ASSERT_EQ(pixels.Height(), 254);
    EXPECT_TRUE(win32test::SaveBitmap(pixels, L"about-box-win32"));

    const COLORREF blue = RGB(4, 94, 178), grey = RGB(192, 192, 192), red = RGB(255, 0, 0), white = RGB(255, 255, 255);
    EXPECT_EQ(pixels.At(20, 120), blue);                 // Bar1
    EXPECT_EQ(pixels.At(20, 20), blue);                  // Bar1 above Bar2
    EXPECT_EQ(pixels.At(300, 20), RGB(255, 255, 192));   // Bar2
    EXPECT_EQ(pixels.At(455, 250), grey);                // Bar3
    EXPECT_EQ(pixels.At(350, 80), grey);                 // Bar4
    EXPECT_EQ(pixels.At(300, 60), white);                // the window's own background
    EXPECT_EQ(pixels.At(436, 82), kIconColour);          // ProgIcon above Bar4
    EXPECT_EQ(pixels.At(52 + 195, 3), RGB(255, 255, 240));  // the logo's background above Bar2
    EXPECT_EQ(pixels.At(52 + 8, 30), blue);              // the logo's square

    // The rules: red, with the grey shadow two rows lower and two columns on.
    for (int y : {166, 167, 188, 189}) {
        EXPECT_EQ(pixels.At(62, y), red) << y;
        EXPECT_EQ(pixels.At(445, y), red) << y;
        EXPECT_EQ(pixels.At(446, y), white) << y;
    }
    for (int y : {168, 169, 190, 191}) {
        EXPECT_EQ(pixels.At(63, y), white) << y;
        EXPECT_EQ(pixels.At(64, y), grey) << y;
        EXPECT_EQ(pixels.At(447, y), grey) << y;
    }

    // The product name and its shadow 3 pixels right and 2 lower, between
    // Bar4 and the first rule.
    const Box name = Find(pixels, blue, 60, 94, 450, 165);
    const Box shadow = Find(pixels, grey, 60, 94, 450, 165);
    ASSERT_LT(name.left, name.right);
    ASSERT_LT(shadow.left, shadow.right);
    EXPECT_GE(name.left, 67);
    EXPECT_NEAR(shadow.left - name.left, 3, 1);
    EXPECT_NEAR(shadow.right - name.right, 3, 1);
    EXPECT_NEAR(shadow.bottom - name.bottom, 2, 1);
    EXPECT_GT(name.bottom - name.top, 40);  // 54 pt capitals

    const Box presents = Find(pixels, RGB(0, 128, 128), 216, 76, 320, 91);
    EXPECT_LT(presents.left, presents.right);
    const Box seeMore = Find(pixels, RGB(0, 0, 128), 62, 170, 447, 185);
    ASSERT_LT(seeMore.left, seeMore.right);
    EXPECT_NEAR((seeMore.left + seeMore.right) / 2, (62 + 448) / 2, 4);  // centred

    // The white texts on the bottom band; Version and lbWWW right-aligned,
    // Version keeping two blanks' room at its end.
    const Box developer = Find(pixels, white, 62, 208, 299, 221);
    const Box email = Find(pixels, white, 62, 232, 227, 245);
    const Box version = Find(pixels, white, 256, 208, 443, 221);
    const Box www = Find(pixels, white, 240, 232, 445, 245);
    for (const Box& text : {developer, email, version, www}) EXPECT_LT(text.left, text.right);
    EXPECT_LT(developer.left, 62 + 6);
    EXPECT_LT(email.left, 62 + 6);
    EXPECT_GT(version.left, 256 + 60);
    EXPECT_LT(version.right, 443 - 3);
    EXPECT_GT(www.right, 445 - 6);
}

}  // namespace
}  // namespace lumvale
