// Minutes of random real input against two running copies of Lumvale, with
// target windows coming and going. Afterwards both copies must be alive and
// no bigger than before, no window may be left layered without an alpha, no
// popup or dialog open, and the store must hold only well-formed records.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cwctype>
#include <memory>
#include <random>

#include "driver.h"

namespace e2e {
namespace {

struct Counts {
    SIZE_T workingSetKiB = 0;
    SIZE_T privateKiB = 0;
    int windows = 0;  // top-level windows and their children: the USER objects Wine can show
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
};

int CountWindows(DWORD processId) {
    int count = 0;
    for (HWND top : WindowsOf(processId)) {
        ++count;
        ::EnumChildWindows(
            top, [](HWND, LPARAM total) -> BOOL { ++*reinterpret_cast<int*>(total); return TRUE; },
            reinterpret_cast<LPARAM>(&count));
    }
    return count;
}

Counts CountsOf(Process& process) {
    Counts counts;
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    if (::GetProcessMemoryInfo(process.handle(), &memory, sizeof(memory))) {
        counts.workingSetKiB = memory.WorkingSetSize / 1024;
        counts.privateKiB = memory.PagefileUsage / 1024;
    }
    counts.windows = CountWindows(process.id());
    counts.gdiObjects = ::GetGuiResources(process.handle(), GR_GDIOBJECTS);
    counts.userObjects = ::GetGuiResources(process.handle(), GR_USEROBJECTS);
    return counts;
}

void Report(const char* when, const char* copy, const Counts& c) {
    std::printf("%-6s %s: working set %6zu KiB, private %6zu KiB, windows %3d, GDI %lu, USER %lu\n", when, copy,
                c.workingSetKiB, c.privateKiB, c.windows, c.gdiObjects, c.userObjects);
}

bool IsDecimal(const std::wstring& text) {
    if (text.empty()) return false;
    std::size_t i = text[0] == L'-' ? 1 : 0;
    if (i == text.size()) return false;
    for (; i < text.size(); ++i)
        if (!std::iswdigit(text[i])) return false;
    return true;
}

// Every value of a section as name and text; false when one is not text.
bool ReadSection(const std::wstring& section, std::vector<std::pair<std::wstring, std::wstring>>& values) {
    HKEY key = nullptr;
    const std::wstring path = L"Software\\Lumvale\\" + section;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return true;
    bool allText = true;
    for (DWORD i = 0;; ++i) {
        wchar_t name[512] = {};
        wchar_t data[512] = {};
        DWORD nameChars = 511, bytes = sizeof(data) - sizeof(wchar_t), type = 0;
        if (::RegEnumValueW(key, i, name, &nameChars, nullptr, &type, reinterpret_cast<BYTE*>(data), &bytes) !=
            ERROR_SUCCESS)
            break;
        allText = allText && type == REG_SZ;
        values.emplace_back(name, data);
    }
    ::RegCloseKey(key);
    return allText;
}

class Soak : public ::testing::Test {
protected:
    void SetUp() override {
        ReleaseEverything();
        ResetStore();
        MarkSettingsSaved();
        WriteValue(kSettingsSection, L"Beep", L"1");
        const char* seconds = std::getenv("LUMVALE_SOAK_SECONDS");
        seconds_ = seconds ? std::atoi(seconds) : 120;
        const char* seed = std::getenv("LUMVALE_SOAK_SEED");
        seed_ = seed ? static_cast<unsigned>(std::strtoul(seed, nullptr, 10)) : std::random_device{}();
        random_.seed(seed_);
        std::printf("soak: %d s, seed %u (LUMVALE_SOAK_SEED repeats a run)\n", seconds_, seed_);
    }
    void TearDown() override {
        ReleaseEverything();
        ResetStore();
    }

    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool Chance(int percent) { return Between(1, 100) <= percent; }

    HWND SomeTarget() { return targets_.empty() ? nullptr : targets_[Between(0, int(targets_.size()) - 1)]->get(); }
    std::vector<HWND> OpenPopups() {
        std::vector<HWND> popups;
        for (Lumvale* copy : copies_)
            for (HWND popup : WindowsOf(copy->process().id(), L"LumvalePopup", true)) popups.push_back(popup);
        return popups;
    }
    std::vector<HWND> OpenDialogs() {
        std::vector<HWND> dialogs;
        for (Lumvale* copy : copies_)
            for (const wchar_t* name : {L"LumvaleSettings", L"LumvaleAbout", L"#32768"})
                for (HWND window : WindowsOf(copy->process().id(), name, true)) dialogs.push_back(window);
        return dialogs;
    }
    POINT InsideOf(HWND window) {
        const RECT rect = WindowRectOf(window);
        return {Between(rect.left + 20, rect.right - 20), Between(rect.top + 40, rect.bottom - 20)};
    }

    void HotKey() {
        if (HWND target = SomeTarget(); target && Chance(70)) Activate(target);
        std::vector<WORD> chord;
        if (Chance(80)) chord.push_back(VK_CONTROL);
        if (Chance(80)) chord.push_back(VK_SHIFT);
        if (Chance(15)) chord.push_back(VK_MENU);
        chord.push_back(static_cast<WORD>('0' + Between(0, 9)));
        if (Chance(20)) chord.push_back(static_cast<WORD>('0' + Between(0, 9)));
        PressChord(chord, Between(40, 700));
        if (Chance(30)) PressChord({VK_ESCAPE}, 30);
    }
    void RightClickAndChoose() {
        HWND target = SomeTarget();
        if (!target) return;
        const POINT at = InsideOf(target);
        Click(at.x, at.y, true);
        PumpMessages(Between(100, 400));
        const auto popups = OpenPopups();
        if (popups.empty()) return;
        HWND popup = popups[Between(0, int(popups.size()) - 1)];
        const int what = Between(0, 3);
        if (what == 0) {
            HWND list = FindDescendant(popup, L"ListBox");
            const int height = static_cast<int>(::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
            POINT item{20, Between(0, 8) * height + height / 2};
            ::ClientToScreen(list, &item);
            Click(item.x, item.y);
        } else if (what == 1 || what == 2) {
            HWND box = FindDescendant(popup, L"Button", what == 1 ? L"最上  " : L"保存");
            if (box) Click(CenterOf(box).x, CenterOf(box).y);
        } else {
            Click(Between(600, 1000), Between(60, 300));
        }
    }
    void TrayMenu() {
        const auto icon = FindLumvaleTrayIcon();
        if (!icon) return;
        Click(icon->x, icon->y, Chance(50));
        PumpMessages(Between(100, 500));
        if (Chance(50)) PressChord({VK_ESCAPE}, 40);
        else Click(Between(600, 1000), Between(60, 300));
    }
    void SettingsChangedAndCancelled() {
        const auto icon = FindLumvaleTrayIcon();
        if (!icon) return;
        Click(icon->x, icon->y);
        PumpMessages(300);
        MoveMouse(40, 40);
        PressChord({VK_DOWN}, 40);
        PressChord({VK_RETURN}, 40);
        HWND dialog = nullptr;
        for (Lumvale* copy : copies_)
            WaitUntil([&] { return (dialog = FindWindowOf(copy->process().id(), L"LumvaleSettings", true)) != nullptr; },
                      1500);
        if (!dialog) return;
        PumpMessages(300);
        for (const wchar_t* caption : {L"自动储存每次Windows的透明度设置                   ", L"总在最上                "})
            if (HWND box = FindDescendant(dialog, L"Button", caption); box && Chance(60))
                Click(CenterOf(box).x, CenterOf(box).y);
        if (HWND cancel = FindDescendant(dialog, L"Button", L"取消   ")) Click(CenterOf(cancel).x, CenterOf(cancel).y);
        if (::IsWindow(dialog)) ::PostMessageW(dialog, WM_CLOSE, 0, 0);
    }
    void TargetsComeAndGo() {
        if (targets_.size() < 3 && (targets_.empty() || Chance(50)))
            targets_.push_back(std::make_unique<TargetWindow>(L"soak target"));
        else if (!targets_.empty())
            targets_.erase(targets_.begin() + Between(0, int(targets_.size()) - 1));
    }

    // Closes whatever the last actions left open, as a user would.
    void SettleDown() {
        ReleaseEverything();
        for (int attempt = 0; attempt < 5 && (!OpenPopups().empty() || !OpenDialogs().empty()); ++attempt) {
            PressChord({VK_ESCAPE}, 30);
            Click(900, 100);
            for (HWND window : OpenDialogs())
                if (ClassOf(window) != L"#32768") ::PostMessageW(window, WM_CLOSE, 0, 0);
            PumpMessages(500);
        }
        PumpMessages(1000);
    }

    int seconds_ = 120;
    unsigned seed_ = 0;
    std::mt19937 random_;
    std::vector<Lumvale*> copies_;
    std::vector<std::unique_ptr<TargetWindow>> targets_;
};

TEST_F(Soak, RandomInputLeavesBothCopiesHealthy) {
    Lumvale first;
    Lumvale second;
    ASSERT_TRUE(first.mainWindow() && second.mainWindow());
    copies_ = {&first, &second};
    targets_.push_back(std::make_unique<TargetWindow>(L"soak target"));

    // A round of every action first, so that what is made once (window
    // classes, fonts, the cache) is there before the counts are taken.
    HotKey();
    RightClickAndChoose();
    TrayMenu();
    SettingsChangedAndCancelled();
    SettleDown();
    const Counts firstBefore = CountsOf(first.process());
    const Counts secondBefore = CountsOf(second.process());

    int actions = 0;
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(seconds_) * 1000;
    while (static_cast<LONG>(end - ::GetTickCount()) > 0) {
        const int pick = Between(1, 100);
        if (pick <= 40) HotKey();
        else if (pick <= 70) RightClickAndChoose();
        else if (pick <= 80) TrayMenu();
        else if (pick <= 88) SettingsChangedAndCancelled();
        else TargetsComeAndGo();
        ++actions;
        ASSERT_TRUE(first.process().Running() && second.process().Running()) << "after " << actions << " actions";
    }
    SettleDown();
    const Counts firstAfter = CountsOf(first.process());
    const Counts secondAfter = CountsOf(second.process());
    std::printf("soak: %d actions\n", actions);
    Report("start", "first ", firstBefore);
    Report("end", "first ", firstAfter);
    Report("start", "second", secondBefore);
    Report("end", "second", secondAfter);

    EXPECT_TRUE(first.process().Running());
    EXPECT_TRUE(second.process().Running());
    for (const auto& [before, after] : {std::pair{firstBefore, firstAfter}, std::pair{secondBefore, secondAfter}}) {
        EXPECT_EQ(after.windows, before.windows) << "windows left behind";
        EXPECT_LE(after.privateKiB, before.privateKiB + 1024) << "private memory grew";
        EXPECT_LE(after.gdiObjects, before.gdiObjects + 8);
        EXPECT_LE(after.userObjects, before.userObjects + 8);
    }
    EXPECT_TRUE(OpenPopups().empty());

    // No window anywhere is layered without an alpha.
    ::EnumWindows(
        [](HWND window, LPARAM) -> BOOL {
            const int alpha = LayeredAlpha(window);
            EXPECT_TRUE(alpha == -1 || alpha >= 0) << ClassOf(window).size() << " class chars, alpha " << alpha;
            return TRUE;
        },
        0);

    // The store holds only well-formed records.
    std::vector<std::pair<std::wstring, std::wstring>> wins, temp;
    EXPECT_TRUE(ReadSection(L"Wins", wins));
    EXPECT_TRUE(ReadSection(L"Temp", temp));
    for (const auto& [name, value] : wins) {
        EXPECT_FALSE(name.empty());
        EXPECT_TRUE(IsDecimal(value) && std::stoi(value) >= -1 && std::stoi(value) <= 8) << DumpSection(L"Wins");
    }
    for (const auto& [name, value] : temp) {
        const bool top = !name.empty() && name.back() == L'a';
        const std::wstring handle = top ? name.substr(0, name.size() - 1) : name;
        EXPECT_TRUE(IsDecimal(handle)) << DumpSection(L"Temp");
        if (top)
            EXPECT_EQ(value, L"1");
        else
            EXPECT_TRUE(IsDecimal(value) && std::stoi(value) >= -1 && std::stoi(value) <= 8) << DumpSection(L"Temp");
    }
    EXPECT_EQ(ReadValue(kSettingsSection, L"Beep"), L"1") << "cancelled dialogs write nothing";

    EXPECT_TRUE(second.Close());
    EXPECT_TRUE(first.Close());
}

}  // namespace
}  // namespace e2e
