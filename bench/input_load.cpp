// Real input for bench/run's rounds under load, sent with SendInput for a
// number of seconds, beside the program measured:
//   mouse  100 moves a second, absolute, round a small circle near the lower
//          right corner of the screen, where the desktop shows beside the
//          windows of the bench (Notepad's opens at the top left); no buttons;
//   keys   10 key presses a second (down, and up half a period later), the
//          letters a to z in turn, into Notepad, which it brings to the front
//          first and which must stay there.
// With PERIOD, one event every PERIOD ms instead (a reader's page-down now
// and then). Prints "sending" once the input starts and, at the end, the
// events (moves or presses) it sent a second.
//   input_load mouse|keys SECONDS [PERIOD]
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Milliseconds since it was made, from the performance counter.
class Stopwatch {
public:
    Stopwatch() {
        ::QueryPerformanceFrequency(&frequency_);
        ::QueryPerformanceCounter(&start_);
    }
    double Ms() const {
        LARGE_INTEGER now;
        ::QueryPerformanceCounter(&now);
        return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) / static_cast<double>(frequency_.QuadPart);
    }
    void SleepUntil(double ms) const {
        const double left = ms - Ms();
        if (left > 0) ::Sleep(static_cast<DWORD>(std::lround(left)));
    }

private:
    LARGE_INTEGER frequency_{}, start_{};
};

// The step'th of 100 points round a circle of 60 pixels whose centre is 150
// pixels from the screen's right and bottom edges, in SendInput's absolute
// units (rounded up: Wine truncates).
bool MoveMouse(long step) {
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    const double angle = 2 * 3.14159265358979 * static_cast<double>(step % 100) / 100;
    const long x = width - 150 + std::lround(60 * std::cos(angle));
    const long y = height - 150 + std::lround(60 * std::sin(angle));
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (x * 65536 + width - 1) / width;
    input.mi.dy = (y * 65536 + height - 1) / height;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return ::SendInput(1, &input, sizeof(input)) == 1;
}

bool Key(WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    return ::SendInput(1, &input, sizeof(input)) == 1;
}

// Notepad's window, brought to the front; null when there is none or it
// cannot be brought there within 2 s.
HWND NotepadInFront() {
    const HWND notepad = ::FindWindowW(L"Notepad", nullptr);
    if (!notepad) return nullptr;
    ::SetForegroundWindow(notepad);
    for (int wait = 0; wait < 100 && ::GetForegroundWindow() != notepad; ++wait) ::Sleep(20);
    return ::GetForegroundWindow() == notepad ? notepad : nullptr;
}

int Fail(const char* reason) {
    std::fprintf(stderr, "input_load: %s\n", reason);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const bool mouse = (argc == 3 || argc == 4) && std::strcmp(argv[1], "mouse") == 0;
    const bool keys = (argc == 3 || argc == 4) && std::strcmp(argv[1], "keys") == 0;
    const int seconds = argc >= 3 ? std::atoi(argv[2]) : 0;
    const double periodMs = argc == 4 ? std::atof(argv[3]) : mouse ? 10 : 100;
    if ((!mouse && !keys) || seconds <= 0 || periodMs < 10) {
        std::fprintf(stderr, "usage: input_load mouse|keys SECONDS [PERIOD]\n");
        return 2;
    }
    const HWND notepad = keys ? NotepadInFront() : nullptr;
    if (keys && !notepad) return Fail("no Notepad to type into in front");
    std::printf("sending\n");
    std::fflush(stdout);
    const Stopwatch stopwatch;
    long sent = 0;
    for (; sent * periodMs < seconds * 1000.0; ++sent) {
        stopwatch.SleepUntil(sent * periodMs);
        if (mouse) {
            if (!MoveMouse(sent)) return Fail("SendInput refused a mouse move");
            continue;
        }
        // Typing anywhere else could do harm: the load stops instead.
        if (::GetForegroundWindow() != notepad) return Fail("Notepad left the front");
        const WORD letter = static_cast<WORD>('A' + sent % 26);
        if (!Key(letter, true)) return Fail("SendInput refused a key");
        stopwatch.SleepUntil(sent * periodMs + std::min(periodMs / 2, 50.0));
        if (!Key(letter, false)) return Fail("SendInput refused a key");
    }
    stopwatch.SleepUntil(sent * periodMs);  // the end of the last period
    std::printf("%.1f\n", sent * 1000.0 / stopwatch.Ms());
    return 0;
}
