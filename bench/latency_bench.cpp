// Hot-key latency: from the digit key going down (with Ctrl + Shift held) to
// the new alpha on the window in front, with the real lumvale.exe, measured
// in poll ticks of 50 ms.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "e2e/driver.h"

int main(int argc, char** argv) {
    using namespace e2e;
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 20;
    ReleaseEverything();
    ResetStore();
    MarkSettingsSaved();
    WriteValue(kSettingsSection, L"Beep", L"0");
    Lumvale lumvale;
    TargetWindow target;
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    std::vector<double> ticks;
    for (int round = 0; round < rounds; ++round) {
        ::SetWindowLongW(target.get(), GWL_EXSTYLE, ::GetWindowLongW(target.get(), GWL_EXSTYLE) & ~WS_EX_LAYERED);
        target.BringToFront();
        KeyDown(VK_CONTROL);
        KeyDown(VK_SHIFT);
        PumpMessages(30 + 7 * round % 50);  // the press falls anywhere within a tick
        LARGE_INTEGER start, now;
        ::QueryPerformanceCounter(&start);
        KeyDown('3');
        bool done = false;
        do {
            // The target belongs to this thread: changing its style sends it
            // messages, which must be handled for the change to complete.
            MSG message;
            while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
            ::Sleep(1);
            ::QueryPerformanceCounter(&now);
            done = LayeredAlpha(target.get()) == 150;
        } while (!done && (now.QuadPart - start.QuadPart) < frequency.QuadPart);
        const double milliseconds = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / frequency.QuadPart;
        if (done) ticks.push_back(milliseconds / 50.0);
        KeyUp('3');
        KeyUp(VK_SHIFT);
        KeyUp(VK_CONTROL);
        PumpMessages(100);
    }
    lumvale.Close();
    ResetStore();
    if (ticks.empty()) {
        std::printf("no hot-key took effect\n");
        return 1;
    }
    std::sort(ticks.begin(), ticks.end());
    std::printf("hot-key latency over %zu presses: median %.2f ticks, max %.2f ticks (1 tick = 50 ms)\n",
                ticks.size(), ticks[ticks.size() / 2], ticks.back());
    return 0;
}
