#pragma once
// The end-to-end driver: the real lumvale.exe under Wine, real input through
// SendInput, results read back through Win32; waits poll until a state holds.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

// The driver reads other programs' windows as they are drawn: Wine 10, as Windows, scales what a program that is not
// DPI-aware reads of them. Per monitor (v2) where the system has it, else for the system's DPI.
inline const bool kDpiAware = [] {
    const auto perMonitor = reinterpret_cast<BOOL(WINAPI*)(HANDLE)>(
        ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext"));
    return perMonitor ? perMonitor(reinterpret_cast<HANDLE>(-4)) : ::SetProcessDPIAware();
}();
inline const std::wstring kProgramKey = L"Software\\Lumvale";
inline const std::wstring kSettings = L"软件设置    ";
inline const std::wstring kRemember = L"提示：     ";
inline const std::wstring kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

inline void Pump(int milliseconds) {
    for (const DWORD end = ::GetTickCount() + milliseconds; static_cast<LONG>(end - ::GetTickCount()) > 0;) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
        ::Sleep(5);
    }
}
inline bool WaitUntil(const std::function<bool()>& holds, int timeoutMs = 5000) {
    for (const DWORD start = ::GetTickCount(); !holds(); Pump(20))
        if (static_cast<int>(::GetTickCount() - start) > timeoutMs) return holds();
    return true;
}

// The alpha a window shows: 255 unless layered, -1 when layered without one.
inline int Alpha(HWND window) {
    BYTE alpha = 0;
    DWORD flags = 0;
    if ((::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED) == 0) return 255;
    return ::GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) && (flags & LWA_ALPHA) ? alpha : -1;
}
// Draws a layered window with per-pixel alpha, as its program would; fails once it was given attributes.
inline bool DrawPerPixel(HWND window) {
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 200, 0};
    return ::UpdateLayeredWindow(window, nullptr, nullptr, nullptr, nullptr, nullptr, 0, &blend, ULW_ALPHA);
}
inline std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    return ::GetClassNameW(window, name, 256) ? name : L"";
}
inline std::wstring TextOf(HWND window) {
    wchar_t text[1024] = {};
    ::SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, nullptr);
    return text;
}
inline RECT RectOf(HWND window) {
    RECT rect{};
    return ::GetWindowRect(window, &rect) ? rect : RECT{};
}
inline POINT Centre(HWND window) {
    const RECT r = RectOf(window);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}
// Where a right click opens the popup and no menu of the window's own: the
// status bar of a notepad; inside a target, clear of the popup beside it.
inline POINT StatusBar(HWND notepad) { return {RectOf(notepad).left + 150, RectOf(notepad).bottom - 10}; }
inline POINT Inside(HWND target) { return {RectOf(target).left + 8, RectOf(target).top + 200}; }
// The shell's taskbar, not a notification area of the driver's (FakeTray).
inline HWND Taskbar() {
    HWND bar = nullptr;
    while ((bar = ::FindWindowExW(nullptr, bar, L"Shell_TrayWnd", nullptr)) && !::IsWindowVisible(bar)) {}
    return bar;
}
inline bool Topmost(HWND window) { return (::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
inline bool SeeThrough(HWND window) { return (::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0; }
inline bool Checked(HWND box) { return ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }
inline std::wstring HandleText(HWND window) { return std::to_wstring(reinterpret_cast<INT_PTR>(window)); }

// The top-level window of a process with a class, visible unless asked.
inline HWND WindowOf(DWORD processId, const wchar_t* className, bool visible = true) {
    for (HWND window = nullptr; (window = ::FindWindowExW(nullptr, window, className, nullptr)) != nullptr;) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == processId && (!visible || ::IsWindowVisible(window))) return window;
    }
    return nullptr;
}
// The descendants of a class, depth first in the order of the windows.
inline std::vector<HWND> Children(HWND parent, const wchar_t* className) {
    std::vector<HWND> found;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == className) found.push_back(child);
        for (HWND deeper : Children(child, className)) found.push_back(deeper);
    }
    return found;
}
inline HWND Child(HWND parent, const wchar_t* className, const std::wstring& text = L"") {
    for (HWND child : Children(parent, className))
        if (text.empty() || TextOf(child) == text) return child;
    return nullptr;
}

inline bool Gone(HWND window) { return WaitUntil([&] { return !::IsWindow(window) || !::IsWindowVisible(window); }); }
// The centre of an entry of the popup's list.
inline POINT Item(HWND popup, int index) {
    const HWND list = Child(popup, L"ListBox");
    const int height = static_cast<int>(::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    POINT point{20, index * height + height / 2};
    ::ClientToScreen(list, &point);
    return point;
}

// Wine takes the key states from X again when the X focus moves, which can
// undo keys just sent: a chord that did not hold is pressed again.
inline void Key(WORD key, bool down) {
    INPUT input{INPUT_KEYBOARD, {}};
    input.ki = {key, static_cast<WORD>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC)), down ? 0u : KEYEVENTF_KEYUP, 0, 0};
    ::SendInput(1, &input, sizeof(input));
}
// Pressed and released, never asked about: "pressed since" is left for Lumvale.
inline void Tap(WORD key) { Key(key, true); Key(key, false); }
inline void Chord(const std::vector<WORD>& keys, int holdMs = 120) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        for (WORD key : keys) Key(key, true);
        const bool held = WaitUntil([&] {
            return std::all_of(keys.begin(), keys.end(), [](WORD key) { return ::GetAsyncKeyState(key) < 0; });
        }, 200);
        Pump(holdMs);
        for (auto key = keys.rbegin(); key != keys.rend(); ++key) Key(*key, false);
        Pump(30);
        if (held) return;
    }
}
// Each event carries its position (rounded up: Wine truncates), since Wine
// may hand an older one back just after a window came to the front.
inline void Mouse(POINT at, DWORD buttons) {
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input{INPUT_MOUSE, {}};
    input.mi = {(at.x * 65536 + width - 1) / width, (at.y * 65536 + height - 1) / height, 0,
                MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons, 0, 0};
    ::SendInput(1, &input, sizeof(input));
}
// The X pointer moves too: Wine takes the position from X after a while.
inline void MoveTo(POINT at) {
    ::SetCursorPos(at.x, at.y);
    Mouse(at, 0);
    WaitUntil([&] {
        POINT now{};
        return ::GetCursorPos(&now) && std::abs(now.x - at.x) <= 1 && std::abs(now.y - at.y) <= 1;
    }, 1000);
    Pump(150);
}
inline void Click(POINT at, bool right = false, int holdMs = 120) {
    MoveTo(at);
    Mouse(at, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    Pump(holdMs);
    Mouse(at, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
    Pump(60);
}
inline void Click(HWND window, bool right = false) { Click(Centre(window), right); }
// In front, once input reaches it: keys sent before X's focus follows are lost.
inline void Activate(HWND window) {
    ::SetForegroundWindow(window);
    WaitUntil([&] { return ::GetForegroundWindow() == window; }, 3000);
    Pump(300);
}
// Lets go of everything; querying clears the "pressed since" bit of each key.
inline void ReleaseEverything() {
    for (WORD key : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_RETURN}) Key(key, false);
    for (WORD key = '0'; key <= '9'; ++key) Key(key, false);
    Mouse({10, 10}, MOUSEEVENTF_LEFTUP | MOUSEEVENTF_RIGHTUP);
    Pump(100);
    for (int key = 1; key < 256; ++key) ::GetAsyncKeyState(key);
}

// The registry, HKEY_CURRENT_USER unless a root is given.
inline void Write(const std::wstring& path, const std::wstring& name, const std::wstring& text,
                  HKEY root = HKEY_CURRENT_USER) {
    ::RegSetKeyValueW(root, path.c_str(), name.c_str(), REG_SZ, text.c_str(),
                      static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}
inline std::optional<std::wstring> Read(const std::wstring& path, const std::wstring& name,
                                        HKEY root = HKEY_CURRENT_USER) {
    wchar_t text[2048] = {};
    DWORD bytes = sizeof(text) - sizeof(wchar_t);
    if (::RegGetValueW(root, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, text, &bytes)) return std::nullopt;
    return std::wstring(text);
}
inline void Delete(const std::wstring& path) { ::RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str()); }
inline void DeleteValue(const std::wstring& path, const std::wstring& name, HKEY root = HKEY_CURRENT_USER) {
    ::RegDeleteKeyValueW(root, path.c_str(), name.c_str());
}
inline bool Exists(const std::wstring& path) {
    HKEY key = nullptr;
    return ::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS && !::RegCloseKey(key);
}
inline std::wstring Section(const std::wstring& name) { return kProgramKey + L"\\" + name; }
inline const std::wstring kAppDefaults = L"Software\\Wine\\AppDefaults\\lumvale.exe";  // its Windows version
// Programs started from now on see the display at `dpi`.
inline void SetDpi(DWORD dpi) { ::RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi, sizeof(dpi)); }
inline std::optional<std::wstring> Setting(const std::wstring& name) { return Read(Section(kSettings), name); }
inline void SetSetting(const std::wstring& name, const std::wstring& text) { Write(Section(kSettings), name, text); }

inline std::wstring ExeDirectory() {
    wchar_t path[MAX_PATH] = {};
    const std::wstring full(path, ::GetModuleFileNameW(nullptr, path, MAX_PATH));
    return full.substr(0, full.find_last_of(L'\\'));
}

// The screen's pixels in a rectangle, 0x00RRGGBB from the top row down.
inline std::vector<DWORD> Capture(const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    const HDC screen = ::GetDC(nullptr), memory = ::CreateCompatibleDC(screen);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ previous = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    ::SelectObject(memory, previous);
    ::GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}
// Saves the screen as build/e2e-shots/<name>.ppm (x86-<name>.ppm from the x86 driver).
inline void Screenshot(const std::wstring& name) {
    Pump(300);
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    std::string rgb;
    for (DWORD pixel : Capture({0, 0, width, height})) rgb += {char(pixel >> 16), char(pixel >> 8), char(pixel)};
    ::CreateDirectoryW((ExeDirectory() + L"\\..\\e2e-shots").c_str(), nullptr);
    const std::wstring file = (sizeof(void*) == 4 ? L"x86-" : L"") + name + L".ppm";
    if (FILE* out = _wfopen((ExeDirectory() + L"\\..\\e2e-shots\\" + file).c_str(), L"wb")) {
        std::fprintf(out, "P6 %d %d 255\n", width, height);
        std::fwrite(rgb.data(), 1, rgb.size(), out);
        std::fclose(out);
    }
}
// Lumvale's icon in the notification area, by its orange stripes; Wine packs
// the icons in cells of the small icon size and 2 pixels on each side.
inline std::optional<POINT> TrayIcon() {
    const RECT bar = RectOf(Taskbar());
    const std::vector<DWORD> pixels = Capture({bar.right - 200, bar.top, bar.right, bar.bottom});
    const int cell = ::GetSystemMetrics(SM_CXSMICON) + 4;
    for (int x = 199; x >= 0; --x)
        for (int y = 0; y < bar.bottom - bar.top; ++y) {
            const DWORD c = pixels[static_cast<size_t>(y) * 200 + x];
            if ((c >> 16 & 0xFF) > 200 && (c >> 8 & 0xFF) > 110 && (c >> 8 & 0xFF) < 215 && (c & 0xFF) < 100)
                return POINT{bar.right - cell * ((199 - x) / cell) - cell / 2, (bar.top + bar.bottom) / 2};
        }
    return std::nullopt;
}

// How often the main thread of the Linux process whose command line is the program at `path` (a copy in this
// build's own folder) woke up so far: its context switches, as /proc counts them.
inline long WakeUps(const std::wstring& path) {
    const auto read = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string exe(path.begin(), path.end());
    long switches = 0;
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA("Z:\\proc\\*", &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = ::FindNextFileA(search, &found)) {
        const std::string at = std::string("Z:\\proc\\") + found.cFileName, status = read(at + "\\status");
        if (read(at + "\\cmdline").find(exe) == std::string::npos) continue;
        for (size_t line = status.find("ctxt_switches:"); line != std::string::npos; line = status.find("ctxt_switches:", line + 1))
            switches += std::atol(&status[line + 14]);
    }
    ::FindClose(search);
    return switches;
}

// Functions of system DLLs to hide from a program, as a system that lacks them would.
using Missing = std::vector<std::pair<const wchar_t*, const char*>>;

// Changes the last letter of a function's name in the process's copy of a DLL's export table (where
// the driver's own copy lies): GetProcAddress finds it no more, and the others still. False elsewhere.
inline bool Hide(HANDLE process, const wchar_t* dll, const char* function) {
    const auto* base = reinterpret_cast<const BYTE*>(::GetModuleHandleW(dll));
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const auto* table = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(
        base + nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT].VirtualAddress);
    const auto* names = reinterpret_cast<const DWORD*>(base + table->AddressOfNames);
    for (DWORD i = 0; i < table->NumberOfNames; ++i) {
        auto* name = const_cast<char*>(reinterpret_cast<const char*>(base + names[i]));
        char theirs[64] = {};
        if (std::strcmp(name, function) != 0 || !::ReadProcessMemory(process, name, theirs, 63, nullptr) ||
            std::strcmp(theirs, function) != 0)
            continue;
        char* last = name + std::strlen(name) - 1;
        const char renamed = static_cast<char>(*last + 1);
        DWORD protection = 0;
        return ::VirtualProtectEx(process, last, 1, PAGE_READWRITE, &protection) &&
               ::WriteProcessMemory(process, last, &renamed, 1, nullptr);
    }
    return false;
}

// A program started by the driver, ended with its scope. Functions to be missing are hidden before any
// of its code runs: the driver starts it as its debugger, renames them at the first breakpoint, lets go.
class Process {
public:
    explicit Process(std::wstring commandLine, const wchar_t* directory = nullptr, const Missing& missing = {}) {
        STARTUPINFOW startup{sizeof(startup)};
        PROCESS_INFORMATION info{};
        ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, missing.empty() ? 0 : DEBUG_ONLY_THIS_PROCESS,
                         nullptr, directory, &startup, &info);
        ::CloseHandle(info.hThread);
        handle_ = info.hProcess;
        id_ = info.dwProcessId;
        for (DEBUG_EVENT event{}; !missing.empty() && ::WaitForDebugEvent(&event, 15000);) {
            if (event.dwDebugEventCode == CREATE_PROCESS_DEBUG_EVENT) ::CloseHandle(event.u.CreateProcessInfo.hFile);
            if (event.dwDebugEventCode == LOAD_DLL_DEBUG_EVENT) ::CloseHandle(event.u.LoadDll.hFile);
            const bool started = event.dwDebugEventCode == EXCEPTION_DEBUG_EVENT &&
                                 event.u.Exception.ExceptionRecord.ExceptionCode == EXCEPTION_BREAKPOINT;
            // A function that cannot be hidden ends the program: nothing runs as if it were.
            for (const auto& [dll, function] : started ? missing : Missing{})
                if (!Hide(handle_, dll, function)) std::fprintf(stderr, "%s not hidden\n", function), ::TerminateProcess(handle_, 99);
            ::ContinueDebugEvent(event.dwProcessId, event.dwThreadId, DBG_CONTINUE);
            if (!started) continue;
            ::DebugSetProcessKillOnExit(FALSE);
            ::DebugActiveProcessStop(id_);
            break;
        }
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process() {
        if (Running()) ::TerminateProcess(handle_, 1);
        ::CloseHandle(handle_);
    }
    DWORD id() const { return id_; }
    HANDLE handle() const { return handle_; }
    bool Running() const { return ::WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT; }
    bool Ended(int timeoutMs = 5000) const { return ::WaitForSingleObject(handle_, timeoutMs) == WAIT_OBJECT_0; }
    DWORD ExitCode() const {
        DWORD code = STILL_ACTIVE;
        return ::GetExitCodeProcess(handle_, &code) ? code : STILL_ACTIVE;
    }
    HWND Window(const wchar_t* className) const { return WindowOf(id_, className); }
    // The window of a class that the process shows within `timeoutMs`, or null.
    HWND Await(const wchar_t* className, int timeoutMs = 5000) const {
        HWND window = nullptr;
        WaitUntil([&] { return (window = Window(className)) != nullptr; }, timeoutMs);
        return window;
    }
    // Right-clicks at `at` over `target`, brought to the front; waits for its popup.
    HWND Popup(HWND target, POINT at) const {
        Activate(target);
        Click(at, true);
        const HWND popup = Await(L"LumvalePopup");
        Pump(300);  // the activation reaches the X server before the next click
        return popup;
    }
    // Picks the item `downs` presses of Down into the icon's menu (1 设置, 2 还原所有窗口,
    // 3 帮助, 4 关于, 5 the credit; -1: the last, 离开); returns the window that opens.
    // A step that fails says which, since each leaves Lumvale running alike.
    HWND FromTray(int downs, const wchar_t* className = nullptr, bool right = false) const {
        const auto icon = TrayIcon();
        if (icon) Click(*icon, right);
        if (!icon || !WaitUntil([&] { return Window(L"#32768") != nullptr; }))
            return ADD_FAILURE() << (icon ? "the icon's menu did not open" : "no icon to click"), nullptr;
        MoveTo({40, 40});  // off the icon for Wine; X keeps the pointer there while the menu holds it
        // End or Home first, since a move of that pointer may have selected the item under it (the
        // menu may cover the icon); then each key once, since a key pressed again would pick another item.
        Tap(downs < 0 ? VK_END : VK_HOME);
        for (int i = 1; i < std::abs(downs); ++i) Tap(downs < 0 ? VK_UP : VK_DOWN);
        Tap(VK_RETURN);
        EXPECT_TRUE(WaitUntil([&] { return !Window(L"#32768"); })) << "the menu took no keys";
        const HWND window = className ? Await(className) : nullptr;
        Pump(300);
        return window;
    }

private:
    HANDLE handle_ = nullptr;
    DWORD id_ = 0;
};

// lumvale.exe, once its hidden main window exists and its splash is gone.
class Lumvale : public Process {
public:
    explicit Lumvale(const Missing& missing = {}, const std::wstring& exe = ExeDirectory() + L"\\lumvale.exe")
        : Process(L"\"" + exe + L"\"", nullptr, missing) {
        WaitUntil([&] { return (main_ = WindowOf(id(), L"LumvaleMain", false)) != nullptr; }, 15000);
        WaitUntil([&] { return Window(L"LumvaleAbout") != nullptr; }, 3000);
        WaitUntil([&] { return WindowOf(id(), L"LumvaleAbout", false) == nullptr; });
    }
    HWND main() const { return main_; }
    bool Exit() const { return ::PostMessageW(main_, WM_CLOSE, 0, 0) && Ended(); }  // as the tray menu's Exit does

private:
    HWND main_ = nullptr;
};

// Wine's notepad, in front: a program nobody here wrote.
struct Notepad : Process {
    Notepad() : Process(L"notepad.exe") {
        WaitUntil([&] { return (window_ = WindowOf(id(), L"Notepad")) != nullptr; }, 15000);
        Activate(window_);
    }
    HWND window() const { return window_; }
    HWND window_ = nullptr;
};

// A window of the driver's own, in front, that notes the digit keys it gets; asked
// whether it answers (WM_NULL), it can take its time, or close Lumvale.
class Target {
public:
    explicit Target(const wchar_t* title = L"Lumvale test target", RECT at = {120, 100, 620, 450},
                    DWORD style = WS_OVERLAPPEDWINDOW, const wchar_t* className = L"LumvaleE2ETarget", DWORD exStyle = 0) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &Target::Proc;
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = className;
        ::RegisterClassW(&windowClass);
        window_ = ::CreateWindowExW(exStyle, windowClass.lpszClassName, title, style | WS_VISIBLE, at.left, at.top,
                                    at.right - at.left, at.bottom - at.top, nullptr, nullptr, nullptr, nullptr);
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state_));
        Activate(window_);
    }
    Target(const Target&) = delete;
    Target& operator=(const Target&) = delete;
    ~Target() { ::DestroyWindow(window_); }
    HWND get() const { return window_; }
    bool Got(char digit) const { return state_.digits & (1u << (digit - '0')); }
    int activations() const { return state_.activations; }
    int clicks() const { return state_.clicks; }
    void AnswerAfter(int milliseconds) { state_.answerMs = milliseconds; }
    void CloseWhenAsked(HWND lumvale) { state_.closeWhenAsked = lumvale; }

private:
    struct State { unsigned digits = 0; int answerMs = 0; HWND closeWhenAsked = nullptr; int activations = 0, clicks = 0; };
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* state = reinterpret_cast<State*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_KEYDOWN && state && wParam >= '0' && wParam <= '9') state->digits |= 1u << (wParam - '0');
        if (message == WM_ACTIVATE && state && LOWORD(wParam) != WA_INACTIVE) ++state->activations;
        if (message == WM_LBUTTONDOWN && state) ++state->clicks;
        // One with WS_EX_NOACTIVATE never takes the focus, as a clicked-on floating toolbar does not.
        if (message == WM_MOUSEACTIVATE && (::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_NOACTIVATE)) return MA_NOACTIVATE;
        if (message == WM_NULL && state) {
            ::Sleep(state->answerMs);
            if (state->closeWhenAsked) ::PostMessageW(std::exchange(state->closeWhenAsked, nullptr), WM_CLOSE, 0, 0);
        }
        // Alt would take the keyboard into the menu; a press on the frame or a
        // context menu would run a modal loop on the driver's own thread.
        if (message == WM_SYSKEYDOWN || message == WM_SYSKEYUP || message == WM_SYSCHAR) return 0;
        if (message == WM_NCLBUTTONDOWN || message == WM_CONTEXTMENU) return 0;
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    HWND window_ = nullptr;
    State state_;
};

// A notification area of the driver's, found before the shell's (Wine sends each request to the topmost
// "Shell_TrayWnd" as WM_COPYDATA): it refuses, takes, or hands on to the shell's every request; it keeps what reached it.
class FakeTray {
public:
    enum Answer { kRefuse, kTake, kHandOn };
    explicit FakeTray(Answer answer = kTake) : answer_(answer) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &FakeTray::Proc;
        windowClass.lpszClassName = L"Shell_TrayWnd";
        ::RegisterClassW(&windowClass);
        window_ = ::CreateWindowExW(WS_EX_TOPMOST, L"Shell_TrayWnd", L"", WS_POPUP, 0, 0, 0, 0, 0, 0, 0, 0);
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~FakeTray() { ::DestroyWindow(window_); }
    int Carried(const std::wstring& text) const {  // how many requests carried `text` (a balloon's, say)
        return static_cast<int>(std::count_if(requests_.begin(), requests_.end(), [&](auto& r) { return r.find(text) != r.npos; }));
    }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<FakeTray*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message != WM_COPYDATA || !self) return ::DefWindowProcW(window, message, wParam, lParam);
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        self->requests_.emplace_back(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
        return self->answer_ == kHandOn ? ::SendMessageW(Taskbar(), message, wParam, lParam) : self->answer_ == kTake;
    }
    Answer answer_;
    HWND window_ = nullptr;
    std::vector<std::wstring> requests_;
};

// Each scenario starts from settings saved once (no first run), the beep off;
// it leaves the store empty and the desktop as it found it.
class Scenario : public ::testing::Test {
protected:
    void SetUp() override {
        TearDown();
        SetSetting(kRemember, L"0");
        SetSetting(L"Beep", L"0");
    }
    void TearDown() override {
        ReleaseEverything();
        Delete(kProgramKey);
        Delete(kAppDefaults);
        SetDpi(96);
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) DeleteValue(kRunKey, L"Lumvale", root);
        ::SetWindowLongW(Taskbar(), GWL_EXSTYLE, ::GetWindowLongW(Taskbar(), GWL_EXSTYLE) & ~WS_EX_LAYERED);
    }
};

}  // namespace e2e
