// Hot-key latency: from the digit key going down (Ctrl + Shift held) to the
// new alpha of the window in front, with the real lumvale.exe, in ms and in
// poll ticks of 50 ms. Two kinds of press, PRESSES of each (default 20):
// presses that fall anywhere within a tick, and presses after two seconds
// without any input, when a program that sleeps until input has to wake for
// the modifiers and the digit.
//   latency_bench [PRESSES]
#include <algorithm>
#include <cstdlib>
#include <limits>

#include "e2e/driver.h"

namespace {

using namespace e2e;

constexpr double kTickMs = 50;
constexpr double kGiveUpMs = 1000;

double NowMs() {
    LARGE_INTEGER frequency, now;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Handles the thread's pending messages (the target answers Lumvale only
// while they are handled), then waits for the next message or a millisecond.
// Spinning without the wait would take the wineserver, through which every
// call of Lumvale goes, from the program measured on a machine of few cores.
void PumpBriefly() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
}

// Presses Ctrl + Shift + 3 with the target in front, each time after quietMs
// without any input, and returns for each press the time from the digit's
// key-down to the target's new alpha; infinity where none came within 1 s.
std::vector<double> Latencies(HWND target, int presses, int quietMs) {
    std::vector<double> latencies;
    for (int press = 0; press < presses; ++press) {
        ::SetWindowLongW(target, GWL_EXSTYLE, ::GetWindowLongW(target, GWL_EXSTYLE) & ~WS_EX_LAYERED);
        Activate(target);
        Pump(quietMs);
        Key(VK_CONTROL, true);
        Key(VK_SHIFT, true);
        Pump(30 + 7 * press % 50);  // without quiet, the digit falls anywhere within a tick
        const double start = NowMs();
        Key('3', true);
        for (;;) {
            const bool changed = Alpha(target) == 150;
            const double elapsed = NowMs() - start;
            if (changed || elapsed > kGiveUpMs) {
                latencies.push_back(changed ? elapsed : std::numeric_limits<double>::infinity());
                break;
            }
            PumpBriefly();
        }
        for (WORD key : {WORD{'3'}, WORD{VK_SHIFT}, WORD{VK_CONTROL}}) Key(key, false);
        Pump(100);
    }
    std::sort(latencies.begin(), latencies.end());
    return latencies;
}

void PrintLatency(const char* what, double ms) {
    if (ms > kGiveUpMs)
        std::printf("%s over %.0f ms (%.0f ticks)", what, kGiveUpMs, kGiveUpMs / kTickMs);
    else
        std::printf("%s %.1f ms (%.2f ticks)", what, ms, ms / kTickMs);
}

// Prints the median and the slowest; false when no press took effect.
bool Report(const char* kind, const std::vector<double>& sorted) {
    const size_t n = sorted.size();
    const long missed = std::count_if(sorted.begin(), sorted.end(), [](double ms) { return ms > kGiveUpMs; });
    std::printf("%zu presses %s:", n, kind);
    PrintLatency(" median", (sorted[(n - 1) / 2] + sorted[n / 2]) / 2);
    PrintLatency(", slowest", sorted.back());
    if (missed) std::printf("; %ld without effect within %.0f ms", missed, kGiveUpMs);
    std::printf("\n");
    return missed < static_cast<long>(n);
}

}  // namespace

int main(int argc, char** argv) {
    const int presses = argc > 1 ? std::atoi(argv[1]) : 20;
    if (presses <= 0) {
        std::printf("usage: latency_bench [PRESSES]\n");
        return 2;
    }
    ReleaseEverything();
    Delete(kProgramKey);
    SetSetting(kRemember, L"0");
    SetSetting(L"Beep", L"0");
    bool tookEffect = true;
    {
        Lumvale lumvale;
        Target target;
        const std::vector<double> withinTick = Latencies(target.get(), presses, 0);
        const std::vector<double> afterQuiet = Latencies(target.get(), presses, 2000);
        std::printf("from the digit's key-down to the new alpha, 1 tick = 50 ms; wanted: median at most 10 ms "
                    "(0.20 ticks), slowest at most 25 ms (0.50 ticks)\n");
        const bool withinTickTookEffect = Report("anywhere within a tick", withinTick);
        tookEffect = Report("after 2 s without input", afterQuiet) && withinTickTookEffect;
        lumvale.Exit();
    }
    Delete(kProgramKey);
    if (!tookEffect) std::printf("a kind of press took no effect at all\n");
    return tookEffect ? 0 : 1;
}
