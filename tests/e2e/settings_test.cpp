// The settings dialog, opened from the tray menu and driven with real input.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

#include "driver.h"

namespace e2e {
namespace {

const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::optional<std::wstring> RunValue() {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    wchar_t buffer[2048] = {};
    DWORD bytes = sizeof(buffer) - sizeof(wchar_t);
    const LONG status = ::RegQueryValueExW(key, L"Lumvale", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &bytes);
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS) return std::nullopt;
    return std::wstring(buffer);
}

void SetRunValue(const std::wstring& text) {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    ::RegSetValueExW(key, L"Lumvale", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
}

void DeleteRunValue() {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    ::RegDeleteValueW(key, L"Lumvale");
    ::RegCloseKey(key);
}

// Every value below HKCU\Software\Lumvale, by "section\name", and the Run
// value: what the program keeps.
using Stored = std::map<std::wstring, std::wstring>;
void CollectValues(HKEY parent, const std::wstring& path, Stored& out) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameChars = 256;
        BYTE data[4096];
        DWORD bytes = sizeof(data);
        if (::RegEnumValueW(key, i, name, &nameChars, nullptr, nullptr, data, &bytes) != ERROR_SUCCESS) break;
        out[path + L"\\" + name] = std::wstring(reinterpret_cast<wchar_t*>(data), bytes / sizeof(wchar_t));
    }
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameChars = 256;
        if (::RegEnumKeyExW(key, i, name, &nameChars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        CollectValues(parent, path + L"\\" + name, out);
    }
    ::RegCloseKey(key);
}
Stored StoredNow() {
    Stored stored;
    CollectValues(HKEY_CURRENT_USER, L"Software\\Lumvale", stored);
    stored[L"Run"] = RunValue().value_or(L"<none>");
    return stored;
}

// A window inside the dialog as another process sees it.
struct Control {
    HWND window = nullptr;
    std::wstring className;
    std::wstring text;
    RECT rect{};  // relative to its container, in pixels
};

std::vector<Control> ChildrenOf(HWND container) {
    std::vector<Control> children;
    for (HWND child = ::GetWindow(container, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring className = ClassOf(child);
        if (className == L"LumvaleFramePanel") continue;  // the frame's own band
        children.push_back({child, className, TextOf(child), RectInParent(child)});
    }
    return children;
}

// The expected layout: kind, caption, Left, Top, Width, Height in twips
// relative to the container, and what it contains.
struct Expected {
    std::wstring className;
    std::wstring text;
    int left, top, width, height;
    std::vector<Expected> children;
    int borderWidth = 0;  // of a frame
};

std::string Narrow(const std::wstring& text) {
    std::string out(static_cast<std::size_t>(::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr,
                                                                    nullptr)), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), static_cast<int>(out.size()), nullptr, nullptr);
    out.pop_back();
    return out;
}

// The thickness of a frame's band: its thickest band panel.
int BandOf(HWND frame) {
    int band = 0;
    for (HWND child = ::GetWindow(frame, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) != L"LumvaleFramePanel") continue;
        const RECT r = WindowRectOf(child);
        band = std::max<int>(band, std::min(r.right - r.left, r.bottom - r.top));
    }
    return band;
}

// Matches the children of `container` with `expected`, both taken from top
// to bottom and left to right, and records the windows found by their
// captions or classes.
void ExpectLayout(HWND container, std::vector<Expected> expected, const std::string& where,
                  std::map<std::wstring, HWND>& found) {
    std::vector<Control> actual = ChildrenOf(container);
    ASSERT_EQ(actual.size(), expected.size()) << where;
    std::sort(expected.begin(), expected.end(), [](const Expected& a, const Expected& b) {
        return std::make_pair(a.top, a.left) < std::make_pair(b.top, b.left);
    });
    std::sort(actual.begin(), actual.end(), [](const Control& a, const Control& b) {
        return std::make_pair(a.rect.top, a.rect.left) < std::make_pair(b.rect.top, b.rect.left);
    });
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Expected& e = expected[i];
        const Control& a = actual[i];
        const std::string name = where + "/" + Narrow(e.className) + "[" + Narrow(e.text) + "]";
        EXPECT_EQ(a.className, e.className) << name;
        // A list's text is its selection, which the tests check by itself.
        if (e.className != L"ComboBox") EXPECT_EQ(a.text, e.text) << name;
        const RECT want{e.left / 15, e.top / 15, (e.left + e.width) / 15, (e.top + e.height) / 15};
        EXPECT_EQ(a.rect.left, want.left) << name;
        EXPECT_EQ(a.rect.top, want.top) << name;
        EXPECT_EQ(a.rect.right, want.right) << name;
        EXPECT_EQ(a.rect.bottom, want.bottom) << name;
        if (e.borderWidth) EXPECT_EQ(BandOf(a.window), e.borderWidth) << name;
        found[e.text.empty() ? e.className + L"@" + std::to_wstring(e.left) + L"," + std::to_wstring(e.top)
                             : e.text] = a.window;
        ExpectLayout(a.window, e.children, name, found);
    }
}

std::vector<Expected> DialogLayout() {
    const std::wstring frame = L"LumvaleFrame", clip = L"LumvalePictureBox", check = L"Button", button = L"Button";
    const std::wstring label = L"Static", list = L"ComboBox";
    return {
        {frame, L"", 90, 120, 5835, 1215,
         {{check, L"随 WINDOWS 启动时自动启动 Lumvale           ", 180, 180, 3735, 225, {}},
          {check, L"自动储存每次Windows的透明度设置                   ", 180, 510, 5385, 225, {}},
          {check, L"总在最上                ", 180, 840, 2085, 225, {}}},
         3},
        {frame, L"", 90, 1380, 5835, 975,
         {{label, L"透明度弹出设置：右键点击：       ", 180, 195, 2595, 255, {}},
          {frame, L"", 2670, 150, 2985, 300, {{clip, L"", 30, 30, 2940, 240, {{list, L"", -30, -30, 3015, 315, {}}}}}, 2},
          {label, L"快捷键 （0-9）：                       ", 210, 600, 2595, 255, {}},
          {frame, L"", 2670, 540, 2985, 300, {{clip, L"", 30, 30, 2940, 240, {{list, L"", -30, -30, 3015, 315, {}}}}}, 2}},
         3},
        {frame, L"", 90, 2970, 5835, 510,
         {{clip, L"", 60, 60, 5715, 390,
           {{button, L"保存 ", 0, -30, 1410, 435, {}},
            {button, L"关于  ", 1395, -30, 1455, 435, {}},
            {button, L"帮助 ", 2835, -30, 1455, 435, {}},
            {button, L"取消   ", 4275, -30, 1455, 435, {}}}}},
         3},
        {frame, L"", 90, 2400, 5835, 510,
         {{label, L"开始栏透明度：       ", 180, 150, 2595, 255, {}},
          {frame, L"", 2670, 120, 2985, 285, {{L"LumvaleSlider", L"", 15, 15, 2955, 255, {}}}, 1}},
         3},
    };
}

std::vector<std::wstring> ItemsOf(HWND list) {
    std::vector<std::wstring> items;
    const LRESULT count = ::SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        if (::SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) < 255)
            ::SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}
int SelectionOf(HWND list) { return static_cast<int>(::SendMessageW(list, CB_GETCURSEL, 0, 0)); }
bool Checked(HWND box) { return ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// Moves the pointer and waits until it is there: when a window of another
// process has just come to the front, Wine may take the pointer position
// back from X once, and a move made before that is lost.
bool PointerTo(int x, int y) {
    const auto there = [&] {
        POINT cursor{};
        return ::GetCursorPos(&cursor) && cursor.x == x && cursor.y == y;
    };
    for (int attempt = 0; attempt < 10; ++attempt) {
        MoveMouse(x, y);
        if (!WaitUntil(there, 200)) continue;
        PumpMessages(80);
        if (there()) return true;
    }
    return false;
}

// A button press or release that carries the pointer's position, so that it
// lands there even when Wine has just handed an older position back.
void ButtonAt(POINT at, bool right, bool down) {
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (at.x * 65536 + width - 1) / width;
    input.mi.dy = (at.y * 65536 + height - 1) / height;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE |
                       (right ? (down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP)
                              : (down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP));
    ::SendInput(1, &input, sizeof(input));
}

void ClickOn(HWND window) {
    const POINT at = CenterOf(window);
    ASSERT_TRUE(PointerTo(at.x, at.y));
    ButtonAt(at, false, true);
    PumpMessages(100);
    ButtonAt(at, false, false);
    PumpMessages(60);
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

const std::vector<std::wstring> kPopupItems = {L"关闭    ",      L"打开   ",        L"+ Alt",
                                               L"+ Ctrl",        L"+ Shift",       L"+ Alt + Ctrl",
                                               L"+ Alt + Shift", L"+ Ctrl + Shift", L"+ Alt + Ctrl + Shift"};
const std::vector<std::wstring> kHotKeyItems = {L"关闭    ",     L"+ Alt",         L"+ Ctrl",
                                                L"+ Shift",      L"+ Alt + Ctrl",  L"+ Alt + Shift",
                                                L"+ Ctrl + Shift", L"+ Alt + Ctrl + Shift"};

class Settings : public ::testing::Test {
protected:
    void SetUp() override {
        ReleaseEverything();
        ResetStore();
        DeleteRunValue();
        MakeTaskbarOpaque();
    }
    void TearDown() override {
        if (dialog_ && ::IsWindow(dialog_)) ::PostMessageW(dialog_, WM_CLOSE, 0, 0);
        if (lumvale_) lumvale_->Close();
        ReleaseEverything();
        ResetStore();
        DeleteRunValue();
        MakeTaskbarOpaque();
    }
    static void MakeTaskbarOpaque() {
        HWND bar = Taskbar();
        ::SetWindowLongW(bar, GWL_EXSTYLE, ::GetWindowLongW(bar, GWL_EXSTYLE) & ~WS_EX_LAYERED);
    }

    void Start() {
        lumvale_ = std::make_unique<Lumvale>();
        ASSERT_NE(lumvale_->mainWindow(), nullptr);
        ASSERT_TRUE(WaitUntil([&] { return FindLumvaleTrayIcon().has_value(); }));
    }
    DWORD pid() { return lumvale_->process().id(); }
    std::vector<HWND> Dialogs() { return WindowsOf(pid(), L"LumvaleSettings", true); }

    // Opens the tray menu with a click on the icon and picks 设置 with the
    // keyboard: Down from no selection selects it first.
    void ChooseSettingsFromTheTray() {
        const POINT icon = FindLumvaleTrayIcon().value_or(POINT{-1, -1});
        Click(icon.x, icon.y);
        HWND menu = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (menu = OpenMenuOf(pid())) != nullptr; }, 3000));
        // The pointer leaves the icon while the menu is open: otherwise Wine
        // keeps handing the icon's position back for a while after the
        // menu, and a later press lands on the taskbar.
        MoveMouse(40, 40);
        PumpMessages(200);
        PressChord({VK_DOWN}, 40);
        PressChord({VK_RETURN}, 40);
        WaitUntil([&] { return !::IsWindowVisible(menu); }, 3000);
    }
    HWND OpenFromTheTray() {
        ChooseSettingsFromTheTray();
        WaitUntil([&] { return !Dialogs().empty(); }, 5000);
        dialog_ = Dialogs().empty() ? nullptr : Dialogs().front();
        if (!dialog_) return nullptr;
        WaitUntil([&] { return ::GetForegroundWindow() == dialog_; }, 3000);
        // Input reaches the dialog once X has moved the focus too.
        PumpMessages(300);
        found_.clear();
        ExpectLayout(dialog_, DialogLayout(), "fSettings", found_);
        return dialog_;
    }
    HWND Find(const std::wstring& key) { return found_.count(key) ? found_[key] : nullptr; }
    HWND chkStart() { return Find(L"随 WINDOWS 启动时自动启动 Lumvale           "); }
    HWND chkRemember() { return Find(L"自动储存每次Windows的透明度设置                   "); }
    HWND chkBeep() { return Find(L"总在最上                "); }
    HWND cmbMenu() { return ListIn(150); }
    HWND cmbKeys() { return ListIn(540); }
    HWND cmdSave() { return Find(L"保存 "); }
    HWND cmdCancel() { return Find(L"取消   "); }
    HWND pTask() { return Find(L"LumvaleSlider@15,15"); }
    // The list in the sunken frame at `top` twips of the key group.
    HWND ListIn(int top) {
        HWND frame = Find(L"LumvaleFrame@2670," + std::to_wstring(top));
        HWND clip = frame ? ::FindWindowExW(frame, nullptr, L"LumvalePictureBox", nullptr) : nullptr;
        return clip ? ::FindWindowExW(clip, nullptr, L"ComboBox", nullptr) : nullptr;
    }

    // Picks item `index` of a drop-down list: a click opens it, the keys
    // choose.
    void Pick(HWND list, int index) {
        ClickOn(list);
        ASSERT_TRUE(WaitUntil([&] { return ::SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0) != 0; }, 3000));
        PressChord({VK_HOME}, 40);
        for (int i = 0; i < index; ++i) PressChord({VK_DOWN}, 40);
        PressChord({VK_RETURN}, 40);
        EXPECT_TRUE(WaitUntil([&] { return ::SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0) == 0; }, 3000));
        EXPECT_TRUE(WaitUntil([&] { return SelectionOf(list) == index; }, 2000)) << index;
    }

    // Presses the left button at pixel `fromX` of the bar, moves to each of
    // `path` in turn (pixels from the bar's left edge, any of them outside
    // it) and lets go at the last.
    void DragSlider(int fromX, const std::vector<int>& path, bool right = false) {
        const RECT bar = WindowRectOf(pTask());
        const int y = (bar.top + bar.bottom) / 2;
        ASSERT_TRUE(PointerTo(bar.left + fromX, y));
        ButtonAt({bar.left + fromX, y}, right, true);
        PumpMessages(120);
        ::GetCursorPos(&pressedAt_);
        POINT last{bar.left + fromX, y};
        for (int x : path) {
            last = {bar.left + x, y};
            EXPECT_TRUE(PointerTo(last.x, last.y)) << x;
        }
        ::GetCursorPos(&releasedAt_);
        ButtonAt(last, right, false);
        PumpMessages(80);
    }
    int TaskbarAlpha() { return LayeredAlpha(Taskbar()); }

    // Where the last drag pressed and let go, for the failure messages.
    std::string LastDrag() const {
        return "pressed at " + std::to_string(pressedAt_.x) + "," + std::to_string(pressedAt_.y) + ", let go at " +
               std::to_string(releasedAt_.x) + "," + std::to_string(releasedAt_.y);
    }

    std::unique_ptr<Lumvale> lumvale_;
    HWND dialog_ = nullptr;
    POINT pressedAt_{};
    POINT releasedAt_{};
    std::map<std::wstring, HWND> found_;
};

TEST_F(Settings, FirstOpeningShowsTheLayoutTheDefaultsAndTakesNoKeysOfItsOwn) {
    Start();
    ASSERT_NE(OpenFromTheTray(), nullptr);
    Screenshot(L"settings-dialog");

    const std::wstring title = TextOf(dialog_);
    EXPECT_EQ(title.rfind(L"Lumvale ", 0), 0u) << Narrow(title);
    EXPECT_EQ(title.substr(title.size() - 2), L"汉化") << Narrow(title);
    RECT client{};
    ::GetClientRect(dialog_, &client);
    EXPECT_EQ(client.right, 401);
    EXPECT_EQ(client.bottom, 240);
    EXPECT_TRUE(IsTopmost(dialog_));
    EXPECT_EQ(LayeredAlpha(dialog_), 240);
    EXPECT_EQ(::GetWindow(dialog_, GW_OWNER), lumvale_->mainWindow());
    EXPECT_FALSE(::IsWindowEnabled(lumvale_->mainWindow())) << "shown modally";

    ASSERT_NE(cmbMenu(), nullptr);
    ASSERT_NE(cmbKeys(), nullptr);
    EXPECT_EQ(ItemsOf(cmbMenu()), kPopupItems);
    EXPECT_EQ(ItemsOf(cmbKeys()), kHotKeyItems);
    EXPECT_EQ(SelectionOf(cmbMenu()), 1);
    EXPECT_EQ(TextOf(cmbMenu()), L"打开   ");
    EXPECT_EQ(SelectionOf(cmbKeys()), 6);
    EXPECT_EQ(TextOf(cmbKeys()), L"+ Ctrl + Shift");
    EXPECT_FALSE(Checked(chkStart()));
    EXPECT_FALSE(Checked(chkRemember()));
    EXPECT_FALSE(Checked(chkBeep()));

    // Tab walks the controls in their order, the slider last; Enter and Esc
    // do nothing.
    const std::wstring buttons[] = {L"保存 ", L"关于  ", L"帮助 ", L"取消   "};
    std::vector<HWND> order = {chkStart(), chkRemember(), chkBeep(), cmbMenu(), cmbKeys()};
    for (const auto& caption : buttons) order.push_back(Find(caption));
    order.push_back(pTask());
    order.push_back(chkStart());
    EXPECT_EQ(FocusOf(dialog_), chkStart());
    for (std::size_t i = 1; i < order.size(); ++i) {
        PressChord({VK_TAB}, 40);
        EXPECT_TRUE(WaitUntil([&] { return FocusOf(dialog_) == order[i]; }, 2000)) << "tab stop " << i;
    }
    PressChord({VK_RETURN}, 40);
    PressChord({VK_ESCAPE}, 40);
    PumpMessages(300);
    EXPECT_TRUE(::IsWindowVisible(dialog_));
    EXPECT_FALSE(ProgramKeyExists()) << "nothing is written before Save";
    EXPECT_EQ(RunValue(), std::nullopt);

    // Save without a change stores the defaults; the bar was full.
    ClickOn(cmdSave());
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dialog_); }));
    EXPECT_EQ(ReadValue(kSettingsSection, kRememberKey), L"0");
    EXPECT_EQ(ReadValue(kSettingsSection, L"Beep"), L"0");
    EXPECT_EQ(ReadValue(kSettingsSection, L"RC"), L"1");
    EXPECT_EQ(ReadValue(kSettingsSection, L"KS"), L"6");
    EXPECT_EQ(ReadValue(kSettingsSection, L"TBar"), L"255");
    EXPECT_EQ(RunValue(), std::nullopt);
    EXPECT_EQ(TaskbarAlpha(), -1);
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(lumvale_->mainWindow()); }));
}

TEST_F(Settings, SavingEveryChangeWritesItAndThePollerUsesTheNewKeysOnItsNextTick) {
    MarkSettingsSaved();
    Start();
    ASSERT_NE(OpenFromTheTray(), nullptr);
    ClickOn(chkStart());
    ClickOn(chkRemember());
    ClickOn(chkBeep());
    EXPECT_TRUE(WaitUntil([&] { return Checked(chkStart()) && Checked(chkRemember()) && Checked(chkBeep()); }));
    Pick(cmbMenu(), 4);  // + Shift
    Pick(cmbKeys(), 1);  // + Alt
    // A press at the left end (the frame's band covers the bar's first
    // column), then along the bar and past its left end: the taskbar
    // follows live.
    DragSlider(1, {});
    EXPECT_TRUE(WaitUntil([&] { return TaskbarAlpha() == 106; })) << LastDrag();
    DragSlider(20, {-30});
    EXPECT_TRUE(WaitUntil([&] { return TaskbarAlpha() == 105; })) << LastDrag();
    DragSlider(20, {40, 60});
    EXPECT_TRUE(WaitUntil([&] { return TaskbarAlpha() == 151; })) << LastDrag();
    EXPECT_EQ(ReadValue(kSettingsSection, L"TBar"), std::nullopt) << "dragging stores nothing";
    Screenshot(L"settings-dialog-changed");

    ClickOn(cmdSave());
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dialog_); }));
    EXPECT_EQ(ReadValue(kSettingsSection, kRememberKey), L"1");
    EXPECT_EQ(ReadValue(kSettingsSection, L"Beep"), L"1");
    EXPECT_EQ(ReadValue(kSettingsSection, L"RC"), L"4");
    EXPECT_EQ(ReadValue(kSettingsSection, L"KS"), L"1");
    EXPECT_EQ(ReadValue(kSettingsSection, L"TBar"), L"151") << "what the taskbar showed";
    EXPECT_EQ(RunValue(), LumvaleExePath());
    EXPECT_EQ(TaskbarAlpha(), 151);

    // Alt is now the hot-key modifier, Ctrl + Shift no longer is.
    WriteValue(kSettingsSection, L"Beep", L"0");  // the beep reads its flag each time
    TargetWindow target;
    PressChord({VK_CONTROL, VK_SHIFT, '3'}, 200);
    PumpMessages(300);
    EXPECT_EQ(LayeredAlpha(target.get()), -1);
    PressChord({VK_MENU, '5'}, 200);
    EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(target.get()) == 180; }));

    // The next opening shows what was saved.
    ASSERT_NE(OpenFromTheTray(), nullptr);
    EXPECT_TRUE(Checked(chkStart()));
    EXPECT_TRUE(Checked(chkRemember()));
    EXPECT_TRUE(Checked(chkBeep()));
    EXPECT_EQ(SelectionOf(cmbMenu()), 4);
    EXPECT_EQ(SelectionOf(cmbKeys()), 1);
    // Unchecking start with Windows removes the Run value on Save.
    ClickOn(chkStart());
    ClickOn(cmdSave());
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dialog_); }));
    EXPECT_EQ(RunValue(), std::nullopt);
    EXPECT_EQ(ReadValue(kSettingsSection, L"TBar"), L"151") << "an untouched slider keeps the stored alpha";
}

TEST_F(Settings, CancelAndTheCloseBoxWriteNothingAndTheTaskbarReturnsToItsStoredAlpha) {
    MarkSettingsSaved();
    WriteValue(kSettingsSection, L"TBar", L"200");
    WriteValue(kSettingsSection, L"RC", L"3");
    WriteValue(kSettingsSection, L"KS", L"2");
    WriteValue(kSettingsSection, L"Beep", L"0");
    SetRunValue(L"C:\\elsewhere\\lumvale.exe");
    Start();
    EXPECT_TRUE(WaitUntil([&] { return TaskbarAlpha() == 200; }));
    const Stored before = StoredNow();

    ASSERT_NE(OpenFromTheTray(), nullptr);
    EXPECT_TRUE(Checked(chkStart())) << "any Lumvale value counts";
    EXPECT_EQ(TextOf(cmbMenu()), L"+ Ctrl");
    EXPECT_EQ(TextOf(cmbKeys()), L"+ Ctrl");
    ClickOn(chkStart());
    ClickOn(chkBeep());
    Pick(cmbKeys(), 0);
    // Dragged past the left end while the button is held: the bar stays
    // empty and the taskbar at 105.
    DragSlider(100, {50, -60});
    EXPECT_TRUE(WaitUntil([&] { return TaskbarAlpha() == 105; })) << LastDrag();
    ClickOn(cmdCancel());
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dialog_); }));
    EXPECT_TRUE(WaitUntil([&] { return TaskbarAlpha() == 200; }));
    EXPECT_EQ(StoredNow(), before);

    // The old combination still holds: Ctrl alone.
    TargetWindow target;
    PressChord({VK_CONTROL, '3'}, 200);
    EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(target.get()) == 150; }));

    // Alt + F4 closes it as Cancel does.
    ASSERT_NE(OpenFromTheTray(), nullptr);
    DragSlider(10, {250});
    EXPECT_TRUE(WaitUntil([&] { return TaskbarAlpha() == -1; })) << "past the right end: opaque, " << LastDrag();
    ClickOn(chkRemember());
    PressChord({VK_MENU, VK_F4}, 80);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dialog_); }));
    EXPECT_TRUE(WaitUntil([&] { return TaskbarAlpha() == 200; }));
    EXPECT_EQ(StoredNow(), before);
}

TEST_F(Settings, ASecondRequestBringsTheOpenDialogForwardAndOtherButtonsDoNotDrag) {
    MarkSettingsSaved();
    WriteValue(kSettingsSection, L"TBar", L"180");
    WriteValue(kSettingsSection, L"RC", L"0");  // right clicks open no popup here
    Start();
    ASSERT_NE(OpenFromTheTray(), nullptr);
    HWND first = dialog_;

    // The right button, alone or with the left, moves nothing.
    DragSlider(10, {30}, true);
    PumpMessages(200);
    EXPECT_EQ(TaskbarAlpha(), 180);
    const RECT bar = WindowRectOf(pTask());
    const POINT press{bar.left + 150, (bar.top + bar.bottom) / 2};
    const POINT move{bar.left + 20, press.y};
    ASSERT_TRUE(PointerTo(press.x, press.y));
    ButtonAt(press, false, true);
    PumpMessages(100);
    EXPECT_TRUE(WaitUntil([&] { return TaskbarAlpha() == 219; }));
    ButtonAt(press, true, true);
    PumpMessages(80);
    EXPECT_TRUE(PointerTo(move.x, move.y));
    PumpMessages(100);
    ButtonAt(move, true, false);
    ButtonAt(move, false, false);
    PumpMessages(100);
    EXPECT_EQ(TaskbarAlpha(), 219);
    // A click gives the slider the focus, so keys go to no other control.
    EXPECT_EQ(FocusOf(dialog_), pTask());

    // Another window in front, then the tray's settings item again.
    TargetWindow other;
    ASSERT_NE(::GetForegroundWindow(), first);
    ChooseSettingsFromTheTray();
    EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == first; }));
    PumpMessages(500);
    EXPECT_EQ(Dialogs(), std::vector<HWND>{first});
    EXPECT_EQ(TaskbarAlpha(), 219) << "the open dialog's preview stays";

    ClickOn(cmdCancel());
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(first); }));
    EXPECT_TRUE(WaitUntil([&] { return TaskbarAlpha() == 180; }));
    EXPECT_EQ(ReadValue(kSettingsSection, L"TBar"), L"180");
}

TEST_F(Settings, HelpOpensTheProductPageAndExitWhileTheDialogIsOpenClosesIt) {
    MarkSettingsSaved();
    RegisterUrlRecorder();
    Start();
    ASSERT_NE(OpenFromTheTray(), nullptr);
    ClickOn(Find(L"帮助 "));
    ASSERT_TRUE(WaitUntil([&] { return !RecordedUrls().empty(); }, 10000));
    EXPECT_EQ(RecordedUrls(), std::vector<std::wstring>{L"http://www.example.com/products/lumvale.shtml"});
    EXPECT_TRUE(::IsWindowVisible(dialog_)) << "help leaves the dialog open";
    EXPECT_EQ(ReadValue(kSettingsSection, L"TBar"), std::nullopt);

    const POINT icon = FindLumvaleTrayIcon().value_or(POINT{-1, -1});
    Click(icon.x, icon.y);
    ASSERT_TRUE(WaitUntil([&] { return OpenMenuOf(pid()) != nullptr; }, 3000));
    PumpMessages(200);
    // Up from no selection picks the last item, 离开.
    PressChord({VK_UP}, 40);
    PressChord({VK_RETURN}, 40);
    EXPECT_TRUE(lumvale_->process().WaitForExit(5000));
    EXPECT_FALSE(::IsWindow(dialog_));
    EXPECT_EQ(ReadValue(kSettingsSection, L"TBar"), std::nullopt);
}

}  // namespace
}  // namespace e2e
