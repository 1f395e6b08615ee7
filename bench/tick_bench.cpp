// The cost of one poll tick while a window without any record is in front,
// with and without the cache of executable names, measured in one run on the
// real platform. Reports time per tick, the ratio, and the process
// snapshots and registry reads per 1,000 ticks.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>

#include "app/poller.h"
#include "platform/win32_handles.h"
#include "platform/win32_platform.h"

namespace {

using namespace lumvale;

// The real platform, counting the expensive calls.
class CountingPlatform : public Win32Platform {
public:
    SnapshotHandle CreateToolhelp32Snapshot() override {
        ++snapshots;
        return Win32Platform::CreateToolhelp32Snapshot();
    }
    RegKeyHandle RegOpenKey(RegRoot root, const std::wstring& path) override {
        ++registryOpens;
        return Win32Platform::RegOpenKey(root, path);
    }
    long snapshots = 0;
    long registryOpens = 0;
};

struct Result {
    double microsecondsPerTick;
    double snapshotsPer1000;
    double readsPer1000;
};

Result Measure(bool cached, int ticks) {
    CountingPlatform platform;
    SettingsStore store(platform);
    Settings settings{false, false, 1, 6};
    Glass glass(platform, store);
    WindowInfo windows(platform, cached);
    Poller poller(platform, store, settings, glass, windows);
    poller.Tick();  // warm up
    platform.snapshots = 0;
    platform.registryOpens = 0;
    const long readsBefore = store.readCount();
    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    for (int i = 0; i < ticks; ++i) poller.Tick();
    ::QueryPerformanceCounter(&end);
    const double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    return {seconds * 1e6 / ticks, platform.snapshots * 1000.0 / ticks,
            (store.readCount() - readsBefore) * 1000.0 / ticks};
}

}  // namespace

int main(int argc, char** argv) {
    const int ticks = argc > 1 ? std::atoi(argv[1]) : 2000;
    // A window of this process in front, with no record.
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"LumvaleBenchTarget";
    ::RegisterClassW(&windowClass);
    HWND window = ::CreateWindowExW(0, L"LumvaleBenchTarget", L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                                    200, 100, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SetForegroundWindow(window);
    HKEY software = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_ALL_ACCESS, &software) == ERROR_SUCCESS) {
        ::RegDeleteTreeW(software, L"Lumvale");
        ::RegCloseKey(software);
    }
    if (::GetForegroundWindow() != window) std::printf("warning: the bench window is not in front\n");

    const Result uncached = Measure(false, ticks);
    const Result cached = Measure(true, ticks);
    std::printf("ticks measured: %d each, unhandled window in front, no key pressed\n", ticks);
    std::printf("%-10s %12s %20s %24s\n", "", "us/tick", "snapshots/1000 ticks", "registry reads/1000 ticks");
    std::printf("%-10s %12.1f %20.1f %24.1f\n", "uncached", uncached.microsecondsPerTick, uncached.snapshotsPer1000,
                uncached.readsPer1000);
    std::printf("%-10s %12.1f %20.1f %24.1f\n", "cached", cached.microsecondsPerTick, cached.snapshotsPer1000,
                cached.readsPer1000);
    std::printf("uncached / cached time per tick: %.1f\n", uncached.microsecondsPerTick / cached.microsecondsPerTick);

    // An hour of ticks (72,000 at 50 ms) on the cached path: the working set
    // must not grow with them.
    PROCESS_MEMORY_COUNTERS before{}, after{};
    before.cb = after.cb = sizeof(before);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &before, sizeof(before));
    Measure(true, 72000);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &after, sizeof(after));
    std::printf("an hour of ticks (72000, cached): working set %lu KiB before, %lu KiB after\n",
                static_cast<unsigned long>(before.WorkingSetSize / 1024),
                static_cast<unsigned long>(after.WorkingSetSize / 1024));
    ::DestroyWindow(window);
    return 0;
}
