// Random real input against two running copies of Lumvale while windows come
// and go. Afterwards both copies are alive and no bigger than before, no
// window is left layered without an alpha, nothing is left open, and the
// store holds only well-formed records.
#include "driver.h"

#include <psapi.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <regex>

namespace e2e {
namespace {

struct Size {
    SIZE_T privateKiB;
    int windows;
};
Size SizeOf(const Process& process) {
    PROCESS_MEMORY_COUNTERS memory{};
    ::GetProcessMemoryInfo(process.handle(), &memory, sizeof(memory));
    std::pair<DWORD, int> count{process.id(), 0};
    ::EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* c = reinterpret_cast<std::pair<DWORD, int>*>(parameter);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            c->second += owner == c->first;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return {memory.PagefileUsage / 1024, count.second};
}

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
    const char* seconds = std::getenv("LUMVALE_SOAK_SECONDS");
    const char* seed = std::getenv("LUMVALE_SOAK_SEED");
    const unsigned seedValue = seed ? std::strtoul(seed, nullptr, 10) : std::random_device{}();
    std::mt19937 random(seedValue);
    const auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    std::printf("soak: seed %u (LUMVALE_SOAK_SEED repeats it)\n", seedValue);

    Lumvale first, second;
    std::vector<std::unique_ptr<Target>> targets;
    targets.push_back(std::make_unique<Target>(L"soak"));
    const Size before[] = {SizeOf(first), SizeOf(second)};
    int actions = 0;
    for (const DWORD end = ::GetTickCount() + 1000 * (seconds ? std::atoi(seconds) : 45);
         static_cast<LONG>(end - ::GetTickCount()) > 0; ++actions) {
        HWND target = targets.empty() ? nullptr : targets[between(0, int(targets.size()) - 1)]->get();
        const int pick = between(1, 10);
        if (pick <= 4 && target) {
            Activate(target);
            Chord({VK_CONTROL, VK_SHIFT, static_cast<WORD>('0' + between(0, 9))}, between(40, 600));
        } else if (pick <= 7 && target) {
            Click({RectOf(target).left + between(20, 300), RectOf(target).top + between(40, 250)}, true);
            Pump(300);
            for (const Lumvale* copy : {&first, &second})
                if (HWND popup = copy->Window(L"LumvalePopup")) {
                    const std::vector<HWND> controls = Children(popup, L"Button");
                    Click(between(0, 1) ? Centre(Child(popup, L"ListBox")) : Centre(controls[between(0, 2)]));
                    break;
                }
            Click({900, between(60, 600)});
        } else if (pick == 8 && TrayIcon()) {
            Click(*TrayIcon(), between(0, 1));
            Pump(300);
            Chord({VK_ESCAPE});
        } else if (targets.size() < 3) {
            targets.push_back(std::make_unique<Target>(L"soak", RECT{between(0, 400), 80, 700, 500}));
        } else {
            targets.erase(targets.begin() + between(0, 2));
        }
        ASSERT_TRUE(first.Running() && second.Running()) << "after " << actions << " actions";
    }
    ReleaseEverything();
    Click({900, 100});
    Pump(1000);
    const Size after[] = {SizeOf(first), SizeOf(second)};
    std::printf("soak: %d actions\n", actions);
    for (int copy = 0; copy < 2; ++copy) {
        std::printf("copy %d: private %zu -> %zu KiB, windows %d -> %d\n", copy + 1, before[copy].privateKiB,
                    after[copy].privateKiB, before[copy].windows, after[copy].windows);
        EXPECT_EQ(after[copy].windows, before[copy].windows) << "nothing left open";
        EXPECT_LE(after[copy].privateKiB, before[copy].privateKiB + 1024);
    }
    ::EnumWindows(
        [](HWND window, LPARAM) -> BOOL {
            EXPECT_NE(Alpha(window), -1) << "a window layered without an alpha";
            return TRUE;
        },
        0);
    EXPECT_TRUE(std::regex_match(Values(L"Wins"), std::wregex(L"(e2e_tests\\.exeLumvaleE2ETarget=(-1|[0-8])\n)*")))
        << "remembered records";
    EXPECT_TRUE(std::regex_match(Values(L"Temp"), std::wregex(L"(\\d+=(-1|[0-8])\n|\\d+a=1\n)*"))) << "run records";
    EXPECT_TRUE(first.Exit() && second.Exit());
    Delete(kProgramKey);
}

}  // namespace
}  // namespace e2e
