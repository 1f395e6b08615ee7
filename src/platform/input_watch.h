#pragma once
// What the system tells the hidden main window of the input and of the
// window in front: raw input (WM_INPUT, Windows XP and later) and the
// foreground's changes (an out-of-context WinEvent hook, which calls back on
// this thread while it waits for messages).

#include <windows.h>

#include <optional>

#include "platform/platform.h"

namespace lumvale {

constexpr UINT kInputMessage = 0x00FF;  // WM_INPUT

// The key or mouse event of a WM_INPUT; nothing where it cannot be read.
std::optional<InputEvent> ReadRawInput(LPARAM input);

// Posts `message` to a window whenever another program's window comes to
// the front, for as long as it lives. Where the system does not deliver such
// events across programs (under Wine), nothing comes.
class ForegroundWatch {
public:
    ForegroundWatch() = default;
    ForegroundWatch(const ForegroundWatch&) = delete;
    ForegroundWatch& operator=(const ForegroundWatch&) = delete;
    ~ForegroundWatch() { Stop(); }

    void Start(HWND window, UINT message);
    void Stop();

private:
    HWINEVENTHOOK hook_ = nullptr;
};

}  // namespace lumvale
