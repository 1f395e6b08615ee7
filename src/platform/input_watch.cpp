// Raw input's records came with Windows XP: their layout is declared here
// for this file alone; the functions are looked up at run time.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0501
#include "platform/input_watch.h"

#include "platform/system_function.h"

namespace lumvale {
namespace {

// The window told of foreground changes: the hook's callback has no context
// of its own, and the process has one such window.
HWND foregroundWindow = nullptr;
UINT foregroundMessage = 0;

void CALLBACK ForegroundChanged(HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD, DWORD) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (foregroundWindow && process != ::GetCurrentProcessId())
        ::PostMessageW(foregroundWindow, foregroundMessage, 0, 0);
}

}  // namespace

std::optional<InputEvent> ReadRawInput(LPARAM input) {
    using GetData = UINT(WINAPI*)(HRAWINPUT, UINT, void*, UINT*, UINT);
    static const auto getData = SystemFunction<GetData>(L"user32.dll", "GetRawInputData");
    RAWINPUT record{};
    UINT size = sizeof(record);
    if (!getData ||
        getData(reinterpret_cast<HRAWINPUT>(input), RID_INPUT, &record, &size, sizeof(RAWINPUTHEADER)) == UINT(-1))
        return std::nullopt;
    InputEvent event;
    event.keyboard = record.header.dwType == RIM_TYPEKEYBOARD;
    if (event.keyboard) {
        event.virtualKey = record.data.keyboard.VKey;
        event.keyUp = (record.data.keyboard.Flags & RI_KEY_BREAK) != 0;
    }
    return event;
}

void ForegroundWatch::Start(HWND window, UINT message) {
    foregroundWindow = window;
    foregroundMessage = message;
    hook_ = ::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, &ForegroundChanged, 0, 0,
                              WINEVENT_OUTOFCONTEXT);
}

void ForegroundWatch::Stop() {
    if (hook_) ::UnhookWinEvent(hook_);
    hook_ = nullptr;
    foregroundWindow = nullptr;
}

}  // namespace lumvale
