// The machine's Run key through the real registry, and fSettings as a real
// window of the test process.
#include <windows.h>

#include <gtest/gtest.h>

#include "settings/settings_dialog.h"
#include "settings/startup_entry.h"
#include "platform/win32_handles.h"
#include "platform/win32_platform.h"
#include "win32_test_util.h"

namespace lumvale {
namespace {

const wchar_t kRun[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct RawValue {
    LONG status = ERROR_FILE_NOT_FOUND;
    DWORD type = 0;
    std::vector<BYTE> data;
};

RawValue ReadRaw(const wchar_t* name) {
    RawValue raw;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRun, 0, KEY_READ, &key) != ERROR_SUCCESS) return raw;
    DWORD bytes = 0;
    raw.status = ::RegQueryValueExW(key, name, nullptr, &raw.type, nullptr, &bytes);
    if (raw.status == ERROR_SUCCESS) {
        raw.data.resize(bytes);
        raw.status = ::RegQueryValueExW(key, name, nullptr, &raw.type, raw.data.data(), &bytes);
        raw.data.resize(bytes);
    }
    ::RegCloseKey(key);
    return raw;
}

void WriteRaw(const wchar_t* name, const void* data, DWORD bytes, DWORD type = REG_SZ) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kRun, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), bytes);
    ::RegCloseKey(key);
}

void DeleteRaw(const wchar_t* name) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRun, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    ::RegDeleteValueW(key, name);
    ::RegCloseKey(key);
}

class RunKeyTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteRaw(L"Lumvale"); }
    void TearDown() override {
        DeleteRaw(L"Lumvale");
        DeleteRaw(L"LumvaleTestNeighbour");
    }
    Win32Platform platform;
};

TEST_F(RunKeyTest, APathOutsideAnyOneCodePageIsStoredWholeAsTextWithItsTerminator) {
    // Chinese, a German umlaut, Hebrew and a character beyond the BMP: no
    // single system code page holds them all.
    const std::wstring command = L"C:\\Program Files\\透明 Äpfel שלום \U0001F600\\lumvale.exe";
    const std::wstring neighbour = L"C:\\neighbour.exe";
    WriteRaw(L"LumvaleTestNeighbour", neighbour.c_str(), static_cast<DWORD>((neighbour.size() + 1) * 2));

    SetStartupEntry(platform, L"Lumvale", command);
    const RawValue raw = ReadRaw(L"Lumvale");
    ASSERT_EQ(raw.status, ERROR_SUCCESS);
    EXPECT_EQ(raw.type, static_cast<DWORD>(REG_SZ));
    ASSERT_EQ(raw.data.size(), (command.size() + 1) * sizeof(wchar_t));
    const auto* text = reinterpret_cast<const wchar_t*>(raw.data.data());
    EXPECT_EQ(std::wstring(text, command.size()), command);
    EXPECT_EQ(text[command.size()], L'\0');
    EXPECT_EQ(GetStartupEntry(platform, L"Lumvale"), command);

    DeleteStartupEntry(platform, L"Lumvale");
    EXPECT_EQ(ReadRaw(L"Lumvale").status, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(GetStartupEntry(platform, L"Lumvale"), L"");
    EXPECT_EQ(ReadRaw(L"LumvaleTestNeighbour").status, ERROR_SUCCESS) << "other programs' entries stay";
    DeleteStartupEntry(platform, L"Lumvale");  // nothing left to delete
}

TEST_F(RunKeyTest, OddStoredValuesReadSafely) {
    const std::wstring longPath = L"C:\\" + std::wstring(5000, L'x') + L".exe";
    WriteRaw(L"Lumvale", longPath.c_str(), static_cast<DWORD>((longPath.size() + 1) * 2));
    EXPECT_EQ(GetStartupEntry(platform, L"Lumvale"), longPath.substr(0, 1023)) << "present, and no more than fits";

    WriteRaw(L"Lumvale", nullptr, 0);
    EXPECT_EQ(GetStartupEntry(platform, L"Lumvale"), L"") << "no data at all";

    const wchar_t unterminated[] = {L' ', L'D', L':', L'\\', L'l', L'.', L'e', L'x', L'e', L' '};
    WriteRaw(L"Lumvale", unterminated, sizeof(unterminated));
    EXPECT_EQ(GetStartupEntry(platform, L"Lumvale"), L"D:\\l.exe");

    const DWORD number = 1;
    WriteRaw(L"Lumvale", &number, sizeof(number), REG_DWORD);
    EXPECT_EQ(GetStartupEntry(platform, L"Lumvale"), L"") << "no text";
}

// The first window below `root`, at any depth, of a class and caption.
HWND FindDescendant(HWND root, const wchar_t* className, const wchar_t* text) {
    for (HWND child = ::GetWindow(root, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[64] = {};
        wchar_t caption[128] = {};
        ::GetClassNameW(child, name, 64);
        ::GetWindowTextW(child, caption, 128);
        if (::lstrcmpiW(name, className) == 0 && (!text || std::wstring(caption) == text)) return child;
        if (HWND inside = FindDescendant(child, className, text)) return inside;
    }
    return nullptr;
}

POINT ClientOrigin(HWND window, HWND of) {
    POINT origin{0, 0};
    ::MapWindowPoints(of, window, &origin, 1);
    return origin;
}

class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override { win32test::DeleteProgramKey(); }
    void TearDown() override {
        dialog.Close();
        win32test::DeleteProgramKey();
        HWND bar = ::FindWindowW(L"Shell_TrayWnd", nullptr);
        ::SetWindowLongW(bar, GWL_EXSTYLE, ::GetWindowLongW(bar, GWL_EXSTYLE) & ~WS_EX_LAYERED);
    }

    Win32Platform platform;
    SettingsStore store{platform};
    Settings settings;
    Glass glass{platform, store};
    int abouts = 0;
    SettingsDialog dialog{platform, store, settings, glass, [this] { ++abouts; }};
};

TEST_F(SettingsDialogTest, PaintsRaisedGroupsSunkenWellsAndTheBarUpToTheStoredAlpha) {
    store.WriteSetting(L"软件设置    ", L"TBar", L"180");
    dialog.Open(nullptr);
    ASSERT_TRUE(dialog.exists());
    win32test::PumpMessages(200);
    const win32test::Pixels pixels = win32test::CaptureClient(dialog.hwnd());
    ASSERT_EQ(pixels.Width(), 401);
    ASSERT_EQ(pixels.Height(), 240);
    win32test::SaveBitmap(pixels, L"settings-dialog-client");
    const COLORREF highlight3d = ::GetSysColor(COLOR_3DHIGHLIGHT);
    const COLORREF shadow3d = ::GetSysColor(COLOR_3DSHADOW);

    // The options group: raised, lit at the top left, shaded at the bottom
    // right.
    EXPECT_EQ(pixels.At(6 + 20, 8), highlight3d);
    EXPECT_EQ(pixels.At(6, 8 + 20), highlight3d);
    EXPECT_EQ(pixels.At(6 + 20, 8 + 80), shadow3d);
    EXPECT_EQ(pixels.At(6 + 388, 8 + 20), shadow3d);
    // The wells of the lists and of the slider: sunken.
    HWND list = FindDescendant(dialog.hwnd(), L"ComboBox", nullptr);
    const POINT well = ClientOrigin(dialog.hwnd(), ::GetParent(::GetParent(list)));
    EXPECT_EQ(pixels.At(well.x + 20, well.y), shadow3d);
    EXPECT_EQ(pixels.At(well.x + 20, well.y + 19), highlight3d);

    // "180" puts the fill at 98 of 197 pixels; the band covers the bar's
    // first column.
    HWND bar = FindDescendant(dialog.hwnd(), L"LumvaleSlider", nullptr);
    ASSERT_NE(bar, nullptr);
    const POINT slider = ClientOrigin(dialog.hwnd(), bar);
    const int middle = slider.y + 8;
    for (int x : {1, 50, 97}) EXPECT_EQ(pixels.At(slider.x + x, middle), ::GetSysColor(COLOR_HIGHLIGHT)) << x;
    for (int x : {98, 150, 196}) EXPECT_EQ(pixels.At(slider.x + x, middle), ::GetSysColor(COLOR_BTNFACE)) << x;
}

TEST_F(SettingsDialogTest, AboutCallsTheAboutBoxAndAClosedDialogOpensAgainWithItsPosition) {
    dialog.Open(nullptr);
    ASSERT_TRUE(dialog.exists());
    ::SetForegroundWindow(dialog.hwnd());
    win32test::PumpMessages(300);
    HWND about = FindDescendant(dialog.hwnd(), L"Button", L"关于  ");
    ASSERT_NE(about, nullptr);
    RECT box{};
    ::GetClientRect(about, &box);
    win32test::ClickAt(about, box.right / 2, box.bottom / 2);
    win32test::PumpMessages(200);
    EXPECT_EQ(abouts, 1);
    EXPECT_TRUE(dialog.exists()) << "the about box opens over the dialog";

    // The slider keeps its position while the window is gone, and a second
    // Open while it is open makes no second window.
    dialog.editor().slider().Drag(40, kSliderLeft, 197);
    const HWND first = dialog.hwnd();
    dialog.Open(nullptr);
    EXPECT_EQ(dialog.hwnd(), first);
    dialog.Close();
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_EQ(dialog.editor().slider().SliderPos(), 40);
    EXPECT_EQ(store.ReadSetting(L"软件设置    ", L"TBar", L"none"), L"none") << "closing writes nothing";
    dialog.Open(nullptr);
    EXPECT_TRUE(dialog.exists());
    EXPECT_EQ(dialog.editor().slider().SliderPos(), 197) << "the next opening loads it again";
}

}  // namespace
}  // namespace lumvale
