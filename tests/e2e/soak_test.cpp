// Random real input against two running copies of Lumvale while windows come
// and go. Afterwards both copies are alive and no bigger than before, nothing
// is left open, no window is layered without an alpha, and the store holds
// only well-formed records.
#include "driver.h"

#include <psapi.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <regex>

namespace e2e {
namespace {

std::pair<SIZE_T, int> PrivateKiBAndWindows(const Process& process) {
    PROCESS_MEMORY_COUNTERS memory{};
    ::GetProcessMemoryInfo(process.handle(), &memory, sizeof(memory));
    int windows = 0;
    for (HWND window = nullptr; (window = ::FindWindowExW(nullptr, window, nullptr, nullptr)) != nullptr;) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        windows += owner == process.id();
    }
    return {memory.PagefileUsage / 1024, windows};
}

// "name=value" lines of a section.
std::wstring Values(const std::wstring& section) {
    std::wstring all;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, Section(section).c_str(), 0, KEY_READ, &key)) return all;
    for (DWORD i = 0;; ++i) {
        wchar_t name[512] = {}, data[512] = {};
        DWORD chars = 512, bytes = sizeof(data) - 2;
        if (::RegEnumValueW(key, i, name, &chars, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &bytes)) break;
        all += std::wstring(name) + L"=" + data + L"\n";
    }
    ::RegCloseKey(key);
    return all;
}

TEST(Soak, RandomInputLeavesBothCopiesHealthy) {
    ReleaseEverything();
    Delete(kProgramKey);
    SetSetting(kRemember, L"0");
    const char* seed = std::getenv("LUMVALE_SOAK_SEED");
    const unsigned seedValue = seed ? std::strtoul(seed, nullptr, 10) : std::random_device{}();
    std::printf("soak: seed %u (LUMVALE_SOAK_SEED repeats a run)\n", seedValue);
    std::mt19937 random(seedValue);
    const auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };

    Lumvale first, second;
    std::vector<std::unique_ptr<Target>> targets;
    const auto before = std::make_pair(PrivateKiBAndWindows(first), PrivateKiBAndWindows(second));
    const char* seconds = std::getenv("LUMVALE_SOAK_SECONDS");
    int actions = 0;
    for (const DWORD end = ::GetTickCount() + 1000 * (seconds ? std::atoi(seconds) : 45);
         static_cast<LONG>(end - ::GetTickCount()) > 0; ++actions) {
        const int pick = between(1, 10);
        if (targets.empty() || (pick == 10 && targets.size() < 3)) {
            targets.push_back(std::make_unique<Target>(L"soak", RECT{between(0, 400), 80, 700, 500}));
            continue;
        }
        const HWND target = targets[between(0, static_cast<int>(targets.size()) - 1)]->get();
        if (pick <= 4) {
            Activate(target);
            Chord({VK_CONTROL, VK_SHIFT, static_cast<WORD>('0' + between(0, 9))}, between(40, 600));
        } else if (pick <= 7) {
            Click({RectOf(target).left + between(20, 300), RectOf(target).top + between(40, 250)}, true);
            Pump(300);
            for (const Lumvale* copy : {&first, &second})
                if (const HWND popup = copy->Window(L"LumvalePopup")) {
                    const std::vector<HWND> choices = Children(popup, L"Button");
                    Click(between(0, 3) ? Centre(choices[between(0, 2)]) : Centre(Child(popup, L"ListBox")));
                }
            Click({900, between(60, 600)});
        } else if (pick <= 8 && TrayIcon()) {
            Click(*TrayIcon(), between(0, 1));
            Chord({VK_ESCAPE});
        } else {
            targets.erase(targets.begin());
        }
        ASSERT_TRUE(first.Running() && second.Running()) << "after " << actions << " actions";
    }
    ReleaseEverything();
    Click({900, 100});
    Pump(1000);
    const auto after = std::make_pair(PrivateKiBAndWindows(first), PrivateKiBAndWindows(second));
    std::printf("soak: %d actions; private KiB and windows of each copy: %zu %d, %zu %d before; %zu %d, %zu %d after\n",
                actions, before.first.first, before.first.second, before.second.first, before.second.second,
                after.first.first, after.first.second, after.second.first, after.second.second);
    EXPECT_EQ(after.first.second, before.first.second) << "nothing left open";
    EXPECT_EQ(after.second.second, before.second.second) << "nothing left open";
    EXPECT_LE(after.first.first, before.first.first + 1024);
    EXPECT_LE(after.second.first, before.second.first + 1024);
    ::EnumWindows(
        [](HWND window, LPARAM) -> BOOL {
            EXPECT_NE(Alpha(window), -1) << "a window layered without an alpha";
            return TRUE;
        },
        0);
    EXPECT_TRUE(std::regex_match(Values(L"Wins"), std::wregex(L"([^=\n]+=(-1|[0-8])\n)*")));
    EXPECT_TRUE(std::regex_match(Values(L"Temp"), std::wregex(L"(\\d+=(-1|[0-8])\n|\\d+a=1\n)*")));
    EXPECT_TRUE(first.Exit() && second.Exit());
    Delete(kProgramKey);
}

}  // namespace
}  // namespace e2e
