// The cost of an idle poll tick on the real platform, with a window in front
// that has no record: time per tick, and registry reads and process
// snapshots per 1,000 ticks; then the working set across an hour of ticks.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>

#include "app/poller.h"
#include "platform/win32_handles.h"
#include "platform/win32_platform.h"

namespace {

using namespace lumvale;

// The real platform, counting the calls that cost a round trip or more.
class CountingPlatform : public Win32Platform {
public:
    RegQueryResult RegQueryValueEx(RegKeyHandle key, const std::wstring& name, std::wstring& text,
                                   std::uint32_t bufferBytes) override {
        ++reads;
        return Win32Platform::RegQueryValueEx(key, name, text, bufferBytes);
    }
    SnapshotHandle CreateToolhelp32Snapshot() override {
        ++snapshots;
        return Win32Platform::CreateToolhelp32Snapshot();
    }
    long reads = 0, snapshots = 0;
};
// An idle tick refuses nothing, so it never asks for a balloon.
struct NoBalloon : Balloon {
    bool ShowBalloon(const std::wstring&) override { return false; }
};

SIZE_T WorkingSetKiB() {
    PROCESS_MEMORY_COUNTERS memory{};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof(memory));
    return memory.WorkingSetSize / 1024;
}

}  // namespace

int main(int argc, char** argv) {
    const int ticks = argc > 1 ? std::atoi(argv[1]) : 2000;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.lpszClassName = L"LumvaleBenchTarget";
    ::RegisterClassW(&windowClass);
    const HWND window = ::CreateWindowExW(0, windowClass.lpszClassName, L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                                          10, 200, 100, nullptr, nullptr, nullptr, nullptr);
    ::SetForegroundWindow(window);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kApplicationKey.c_str());

    CountingPlatform platform;
    SettingsStore store(platform);
    Settings settings{false, false, 1, 6};
    Glass glass(platform, store);
    WindowInfo windows(platform);
    NoBalloon balloon;
    RefusalNotice notice(platform, balloon);
    Poller poller(platform, store, settings, glass, windows, notice);
    platform.RegNotifyChangeKeyValue(kApplicationKey);
    ::Sleep(200);  // the watch is armed
    poller.Tick();
    platform.reads = platform.snapshots = 0;
    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    for (int i = 0; i < ticks; ++i) poller.Tick();
    ::QueryPerformanceCounter(&end);
    std::printf("idle tick, window without record in front: %.1f us; per 1,000 ticks %.0f registry reads, "
                "%.0f process snapshots\n",
                1e6 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart / ticks,
                1000.0 * platform.reads / ticks, 1000.0 * platform.snapshots / ticks);

    const SIZE_T before = WorkingSetKiB();
    for (int i = 0; i < 72000; ++i) poller.Tick();
    std::printf("an hour of ticks (72,000): working set %zu KiB before, %zu KiB after\n", before, WorkingSetKiB());
    ::DestroyWindow(window);
    return 0;
}
