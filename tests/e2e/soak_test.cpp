// Random real input against two copies of Lumvale while windows come and go;
// then both copies are alive and no bigger, nothing is left open, no window
// is layered without an alpha, and the store holds well-formed records only.
#include "driver.h"

#include <psapi.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <regex>

namespace e2e {
namespace {

// Private memory in KiB and the classes of the top-level windows of a process.
std::pair<SIZE_T, std::wstring> Size(const Process& process) {
    PROCESS_MEMORY_COUNTERS memory{};
    ::GetProcessMemoryInfo(process.handle(), &memory, sizeof(memory));
    std::wstring windows;
    for (HWND window = nullptr; (window = ::FindWindowExW(nullptr, window, nullptr, nullptr)) != nullptr;) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == process.id()) windows += ClassOf(window) + (::IsWindowVisible(window) ? L"+ " : L" ");
    }
    return {memory.PagefileUsage / 1024, windows};
}

// The records of a section as "name=value", one by one: a pattern over a
// whole section of a long run would overflow the stack of std::regex.
void ExpectRecords(const std::wstring& section, const std::wregex& record) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, Section(section).c_str(), 0, KEY_READ, &key)) return;
    for (DWORD i = 0;; ++i) {
        wchar_t name[512] = {}, data[512] = {};
        DWORD chars = 512, bytes = sizeof(data) - 2;
        if (::RegEnumValueW(key, i, name, &chars, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &bytes)) break;
        EXPECT_TRUE(std::regex_match(std::wstring(name) + L"=" + data, record)) << name << L"=" << data;
    }
    ::RegCloseKey(key);
}

using Soak = Scenario;

TEST_F(Soak, RandomInputLeavesBothCopiesHealthy) {
    SetSetting(L"Beep", L"1");  // its tones dispatch messages in the middle of a change
    const char* seed = std::getenv("LUMVALE_SOAK_SEED");
    const unsigned seedValue = seed ? std::strtoul(seed, nullptr, 10) : std::random_device{}();
    std::printf("soak: seed %u (LUMVALE_SOAK_SEED repeats a run)\n", seedValue);
    std::mt19937 random(seedValue);
    const auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };

    const Lumvale copies[2];
    // Each copy's private memory and windows at the start, every minute and at the end.
    std::pair<SIZE_T, std::wstring> before[2], now[2];
    const auto report = [&](const std::string& when, std::pair<SIZE_T, std::wstring>* sizes) {
        for (int copy = 0; copy < 2; ++copy) {
            const auto& [kib, windows] = sizes[copy] = Size(copies[copy]);
            std::printf("%s, copy %d: private %zu KiB, %d windows\n", when.c_str(), copy + 1, kib,
                        static_cast<int>(std::count(windows.begin(), windows.end(), L' ')));
        }
    };
    report("start", before);
    std::vector<std::unique_ptr<Target>> targets;
    const char* seconds = std::getenv("LUMVALE_SOAK_SECONDS");
    int actions = 0;
    const DWORD start = ::GetTickCount(), length = 1000 * (seconds ? std::atoi(seconds) : 45);
    for (DWORD minutes = 0; ::GetTickCount() - start < length; ++actions) {
        for (; ::GetTickCount() - start >= 60000 * (minutes + 1); ++minutes)
            report("minute " + std::to_string(minutes + 1), now);
        const int pick = between(1, 10);
        if (targets.empty() || pick == 10) {
            if (targets.size() == 3) targets.erase(targets.begin());
            targets.push_back(std::make_unique<Target>(L"soak", RECT{between(0, 400), 80, 700, 500}));
            continue;
        }
        const HWND target = targets[between(0, static_cast<int>(targets.size()) - 1)]->get();
        if (pick <= 5) {
            Activate(target);
            Chord({VK_CONTROL, VK_SHIFT, static_cast<WORD>('0' + between(0, 9))}, between(40, 600));
        } else if (pick <= 8) {
            Click({RectOf(target).left + between(20, 300), RectOf(target).top + between(40, 250)}, true);
            Pump(300);
            for (const Lumvale& copy : copies)
                if (const HWND popup = copy.Window(L"LumvalePopup"))
                    Click(between(0, 3) ? Centre(Children(popup, L"Button")[between(0, 2)]) : Item(popup, between(0, 8)));
            Click({900, between(60, 600)});
        } else if (const auto icon = TrayIcon()) {
            // Escape once the menu is up (a later click could pick an item); on once it is gone.
            const auto menu = [&] { return copies[0].Window(L"#32768") || copies[1].Window(L"#32768"); };
            Click(*icon, between(0, 1));
            if (WaitUntil(menu)) Chord({VK_ESCAPE});
            WaitUntil([&] { return !menu(); });
        }
        ASSERT_TRUE(copies[0].Running() && copies[1].Running()) << "after " << actions << " actions";
    }
    ReleaseEverything();
    Click({900, 100});
    Pump(1000);
    std::printf("soak: %d actions\n", actions);
    report("end", now);
    for (int copy = 0; copy < 2; ++copy) {
        EXPECT_EQ(now[copy].second, before[copy].second) << "nothing left open";
        EXPECT_LE(now[copy].first, before[copy].first + 1024);
    }
    for (HWND window = nullptr; (window = ::FindWindowExW(nullptr, window, nullptr, nullptr)) != nullptr;)
        EXPECT_NE(Alpha(window), -1) << "a window layered without an alpha";
    ExpectRecords(L"Wins", std::wregex(L"[^=]+=(-1|[0-8])"));
    ExpectRecords(L"Temp", std::wregex(L"\\d+=(-1|[0-8])|\\d+a=1"));
    EXPECT_TRUE(copies[0].Exit() && copies[1].Exit());
}

}  // namespace
}  // namespace e2e
