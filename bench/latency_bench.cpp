// Hot-key latency: from the digit key going down (Ctrl + Shift held) to the
// new alpha of the window in front, with the real lumvale.exe, in poll ticks
// of 50 ms.
#include <algorithm>
#include <cstdlib>

#include "e2e/driver.h"

int main(int argc, char** argv) {
    using namespace e2e;
    const int presses = argc > 1 ? std::atoi(argv[1]) : 20;
    ReleaseEverything();
    Delete(kProgramKey);
    SetSetting(kRemember, L"0");
    SetSetting(L"Beep", L"0");
    Lumvale lumvale;
    Target target;
    std::vector<double> ticks;
    for (int press = 0; press < presses; ++press) {
        ::SetWindowLongW(target.get(), GWL_EXSTYLE, ::GetWindowLongW(target.get(), GWL_EXSTYLE) & ~WS_EX_LAYERED);
        Activate(target.get());
        Key(VK_CONTROL, true);
        Key(VK_SHIFT, true);
        Pump(30 + 7 * press % 50);  // the press falls anywhere within a tick
        LARGE_INTEGER frequency, start, now;
        ::QueryPerformanceFrequency(&frequency);
        ::QueryPerformanceCounter(&start);
        Key('3', true);
        double milliseconds = 0;
        // The target answers the program only while this thread handles its messages.
        for (bool done = false; !done && milliseconds < 1000; Pump(1)) {
            done = Alpha(target.get()) == 150;
            ::QueryPerformanceCounter(&now);
            milliseconds = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / frequency.QuadPart;
            if (done) ticks.push_back(milliseconds / 50);
        }
        for (WORD key : {WORD{'3'}, WORD{VK_SHIFT}, WORD{VK_CONTROL}}) Key(key, false);
        Pump(100);
    }
    lumvale.Exit();
    Delete(kProgramKey);
    if (ticks.empty()) {
        std::printf("no hot-key took effect\n");
        return 1;
    }
    std::sort(ticks.begin(), ticks.end());
    std::printf("hot-key latency over %zu presses: median %.2f ticks, max %.2f ticks\n", ticks.size(),
                ticks[ticks.size() / 2], ticks.back());
    return 0;
}
