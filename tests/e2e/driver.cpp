#include "driver.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "platform/win32_handles.h"

namespace e2e {

const wchar_t kSettingsSection[] = L"软件设置    ";
const wchar_t kRememberKey[] = L"提示：     ";

namespace {

const wchar_t kProgramKey[] = L"Software\\Lumvale";

std::wstring SectionPath(const std::wstring& section) { return std::wstring(kProgramKey) + L"\\" + section; }

void SendKey(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(input));
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const DWORD start = ::GetTickCount();
    while (true) {
        if (condition()) return true;
        if (static_cast<int>(::GetTickCount() - start) > timeoutMs) return condition();
        PumpMessages(20);
    }
}

std::wstring ExeDirectory() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory(path);
    return directory.substr(0, directory.find_last_of(L'\\'));
}

std::wstring LumvaleExePath() { return ExeDirectory() + L"\\lumvale.exe"; }

Process::Process(const std::wstring& commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::wstring line = commandLine;
    if (::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        ::CloseHandle(info.hThread);
        process_ = info.hProcess;
        id_ = info.dwProcessId;
    }
}

Process::Process(Process&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)), id_(std::exchange(other.id_, 0)) {}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        Terminate();
        if (process_) ::CloseHandle(process_);
        process_ = std::exchange(other.process_, nullptr);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

Process::~Process() {
    Terminate();
    if (process_) ::CloseHandle(process_);
}

bool Process::Running() const {
    return process_ && ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool Process::WaitForExit(int timeoutMs) {
    return !process_ || ::WaitForSingleObject(process_, static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
}

void Process::Terminate() {
    if (Running()) {
        ::TerminateProcess(process_, 1);
        ::WaitForSingleObject(process_, 5000);
    }
}

std::vector<HWND> WindowsOf(DWORD processId, const wchar_t* className, bool visibleOnly) {
    struct Search {
        DWORD processId;
        const wchar_t* className;
        bool visibleOnly;
        std::vector<HWND> found;
    } search{processId, className, visibleOnly, {}};
    ::EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* s = reinterpret_cast<Search*>(parameter);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner != s->processId) return TRUE;
            if (s->visibleOnly && !::IsWindowVisible(window)) return TRUE;
            if (s->className && ClassOf(window) != s->className) return TRUE;
            s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindWindowOf(DWORD processId, const wchar_t* className, bool visibleOnly) {
    const auto found = WindowsOf(processId, className, visibleOnly);
    return found.empty() ? nullptr : found.front();
}

std::wstring TextOf(HWND window) {
    wchar_t buffer[1024] = {};
    ::SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000,
                          nullptr);
    return buffer;
}

std::wstring ClassOf(HWND window) {
    wchar_t buffer[256] = {};
    ::GetClassNameW(window, buffer, 256);
    return buffer;
}

RECT WindowRectOf(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

RECT RectInParent(HWND child) {
    RECT rect = WindowRectOf(child);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

HWND FindDescendant(HWND parent, const wchar_t* className, const wchar_t* text) {
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == className && (!text || TextOf(child) == text)) return child;
        if (HWND deeper = FindDescendant(child, className, text)) return deeper;
    }
    return nullptr;
}

POINT CenterOf(HWND window) {
    const RECT rect = WindowRectOf(window);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

bool IsTopmost(HWND window) { return (::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

Lumvale::Lumvale(const std::wstring& exePath) : process_(L"\"" + exePath + L"\"") {
    WaitUntil([&] { return (main_ = FindWindowOf(process_.id(), L"LumvaleMain")) != nullptr; }, 15000);
    // The splash covers the middle of the screen above every window for
    // 1.5 s: wait until it has come and gone.
    WaitUntil([&] { return FindWindowOf(process_.id(), L"LumvaleAbout") != nullptr; }, 5000);
    WaitUntil([&] { return FindWindowOf(process_.id(), L"LumvaleAbout") == nullptr; }, 15000);
}

bool Lumvale::Close(int timeoutMs) {
    if (main_) ::PostMessageW(main_, WM_CLOSE, 0, 0);
    return process_.WaitForExit(timeoutMs);
}

void Activate(HWND window) {
    ::SetForegroundWindow(window);
    WaitUntil([&] { return ::GetForegroundWindow() == window; }, 3000);
    // The X server's focus change arrives a little later and makes Wine take
    // the key states from X again: keys sent before it would be lost.
    PumpMessages(300);
}

Notepad::Notepad() : process_(L"notepad.exe") {
    WaitUntil([&] { return (window_ = FindWindowOf(process_.id(), L"Notepad", true)) != nullptr; }, 15000);
    BringToFront();
}

HWND Notepad::edit() const { return ::FindWindowExW(window_, nullptr, L"Edit", nullptr); }

void Notepad::BringToFront() const { Activate(window_); }

TargetWindow::TargetWindow(const wchar_t* title) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &TargetWindow::Proc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    windowClass.lpszClassName = L"LumvaleE2ETarget";
    ::RegisterClassW(&windowClass);
    window_ = ::CreateWindowExW(0, L"LumvaleE2ETarget", title, WS_OVERLAPPEDWINDOW, 120, 100, 500, 350, nullptr,
                                nullptr, ::GetModuleHandleW(nullptr), this);
    ::ShowWindow(window_, SW_SHOW);
    BringToFront();
}

TargetWindow::~TargetWindow() {
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    ::DestroyWindow(window_);
}

void TargetWindow::BringToFront() const { Activate(window_); }

LRESULT CALLBACK TargetWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        ::SetWindowLongPtrW(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<TargetWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) && (lParam & 0x40000000) == 0)
        self->keysDown_.push_back(wParam);
    // Alt with a key would enter the menu mode of the window, which takes
    // the keyboard; the target only logs its keys.
    if (message == WM_SYSKEYDOWN || message == WM_SYSKEYUP || message == WM_SYSCHAR) return 0;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void KeyDown(WORD virtualKey) { SendKey(virtualKey, false); }
void KeyUp(WORD virtualKey) { SendKey(virtualKey, true); }

void PressChord(const std::vector<WORD>& keys, int holdMs) {
    // Wine takes the key states from the X server again when the X focus
    // moves, which can undo keys sent just before: such a chord is pressed
    // again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        for (WORD key : keys) KeyDown(key);
        const bool held = WaitUntil(
            [&] {
                for (WORD key : keys)
                    if ((::GetAsyncKeyState(key) & 0x8000) == 0) return false;
                return true;
            },
            200);
        PumpMessages(holdMs);
        for (auto it = keys.rbegin(); it != keys.rend(); ++it) KeyUp(*it);
        PumpMessages(30);
        if (held) return;
    }
}

namespace {

// Absolute coordinates of a pixel, rounded up: Wine maps them back by
// truncating, so a rounded-down value lands a pixel short on some rows.
void SendMouse(int x, int y, DWORD buttonFlags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (x * 65536 + ::GetSystemMetrics(SM_CXSCREEN) - 1) / ::GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (y * 65536 + ::GetSystemMetrics(SM_CYSCREEN) - 1) / ::GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttonFlags;
    ::SendInput(1, &input, sizeof(input));
}

}  // namespace

void MoveMouse(int x, int y) {
    // Wine takes the pointer position from the X server once no input has
    // moved it for a moment, so the X pointer is moved too; the SendInput
    // move then produces the mouse messages a real move would.
    ::SetCursorPos(x, y);
    SendMouse(x, y, 0);
    WaitUntil(
        [&] {
            POINT at{};
            ::GetCursorPos(&at);
            return std::abs(at.x - x) <= 1 && std::abs(at.y - y) <= 1;
        },
        1000);
}

void Click(int x, int y, bool right) {
    MoveMouse(x, y);
    // The pointer's arrival is handled first (hit-testing, tooltips).
    PumpMessages(150);
    // Each press and release carries its position: Wine may hand an older
    // pointer position back for a moment after a window came to the front.
    SendMouse(x, y, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    PumpMessages(120);
    SendMouse(x, y, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
    PumpMessages(60);
}

void MouseButton(bool right, bool down) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = right ? (down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP)
                             : (down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
    ::SendInput(1, &input, sizeof(input));
}


void ReleaseEverything() {
    for (WORD key : {VK_SHIFT, VK_CONTROL, VK_MENU}) KeyUp(key);
    for (WORD key = '0'; key <= '9'; ++key) KeyUp(key);
    MouseButton(false, false);
    MouseButton(true, false);
    PumpMessages(100);
    // Wine keeps one "pressed since the last query" bit per key for the whole
    // desktop; querying clears it, so that keys pressed by an earlier test do
    // not count as pressed in the next program started.
    for (int key = 1; key < 256; ++key) ::GetAsyncKeyState(key);
}

void ResetStore() {
    HKEY software = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_ALL_ACCESS, &software) == ERROR_SUCCESS) {
        ::RegDeleteTreeW(software, L"Lumvale");
        ::RegCloseKey(software);
    }
}

void MarkSettingsSaved() { WriteValue(kSettingsSection, kRememberKey, L"0"); }

void WriteValue(const std::wstring& section, const std::wstring& name, const std::wstring& text) {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &key, nullptr) != ERROR_SUCCESS)
        return;
    ::RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
}

std::optional<std::wstring> ReadValue(const std::wstring& section, const std::wstring& name) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    wchar_t buffer[2048] = {};
    DWORD bytes = sizeof(buffer) - sizeof(wchar_t);
    DWORD type = 0;
    const LONG status = ::RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes);
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS) return std::nullopt;
    return std::wstring(buffer);
}

bool SectionExists(const std::wstring& section) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

std::string DumpSection(const std::wstring& section) {
    std::string dump = "[" + std::string(section.begin(), section.end()) + "]";
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return dump + " missing";
    for (DWORD index = 0;; ++index) {
        wchar_t name[512] = {};
        wchar_t data[512] = {};
        DWORD nameChars = 511;
        DWORD dataBytes = sizeof(data) - sizeof(wchar_t);
        if (::RegEnumValueW(key, index, name, &nameChars, nullptr, nullptr, reinterpret_cast<BYTE*>(data),
                            &dataBytes) != ERROR_SUCCESS)
            break;
        char line[2048];
        std::snprintf(line, sizeof(line), " %ls=%ls;", name, data);
        dump += line;
    }
    ::RegCloseKey(key);
    return dump;
}

bool ProgramKeyExists() {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kProgramKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    ::RegCloseKey(key);
    return true;
}

HWND Taskbar() { return ::FindWindowW(L"Shell_TrayWnd", nullptr); }

ScreenPixels::ScreenPixels(const RECT& area) : area_(area) {
    lumvale::WindowDc screen(nullptr);
    pixels_ = lumvale::testsupport::CapturePixels(screen.get(), area.left, area.top, area.right - area.left,
                                                  area.bottom - area.top);
}

COLORREF ScreenPixels::At(int x, int y) const {
    const int column = x - area_.left;
    const int row = y - area_.top;
    if (column < 0 || row < 0 || column >= pixels_.Width() || row >= pixels_.Height()) return CLR_INVALID;
    return pixels_.At(column, row);
}

std::optional<POINT> FindLumvaleTrayIcon() {
    // The notification area is the right end of the taskbar; Lumvale's icon
    // is the one with the orange stripes. Wine's taskbar packs its icons in
    // cells of the small icon size plus a border of 2 on each side.
    const RECT bar = WindowRectOf(Taskbar());
    const RECT area{bar.right - 200, bar.top, bar.right, bar.bottom};
    const ScreenPixels pixels(area);
    const int cell = ::GetSystemMetrics(SM_CXSMICON) + 4;
    for (int x = area.right - 1; x >= area.left; --x) {
        for (int y = area.top; y < area.bottom; ++y) {
            const COLORREF c = pixels.At(x, y);
            if (c == CLR_INVALID) continue;
            if (GetRValue(c) > 200 && GetGValue(c) > 110 && GetGValue(c) < 215 && GetBValue(c) < 100) {
                const int fromRight = (bar.right - 1 - x) / cell;
                return POINT{bar.right - cell * fromRight - cell / 2, (bar.top + bar.bottom) / 2};
            }
        }
    }
    return std::nullopt;
}

HWND OpenMenuOf(DWORD processId) { return FindWindowOf(processId, L"#32768", true); }

void PostTrayNotification(HWND mainWindow, UINT mouseMessage) {
    // The icon's id goes in wParam; the program does not look at it.
    ::PostMessageW(mainWindow, 0x202, 0, mouseMessage);
}

namespace {
std::wstring RecordFile() { return ExeDirectory() + L"\\url-record.txt"; }
}  // namespace

void RegisterUrlRecorder() {
    const std::wstring command = L"\"" + ExeDirectory() + L"\\url_recorder.exe\" \"%1\"";
    for (const wchar_t* scheme : {L"http", L"https", L"mailto"}) {
        const std::wstring path = std::wstring(L"Software\\Classes\\") + scheme + L"\\shell\\open\\command";
        HKEY key = nullptr;
        if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr) != ERROR_SUCCESS)
            continue;
        ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                         static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
        ::RegCloseKey(key);
    }
    ClearRecordedUrls();
}

void ClearRecordedUrls() { ::DeleteFileW(RecordFile().c_str()); }

std::vector<std::wstring> RecordedUrls() {
    std::vector<std::wstring> urls;
    FILE* in = _wfopen(RecordFile().c_str(), L"r, ccs=UTF-8");
    if (!in) return urls;
    wchar_t line[4096];
    while (std::fgetws(line, 4096, in)) {
        std::wstring url(line);
        while (!url.empty() && (url.back() == L'\n' || url.back() == L'\r')) url.pop_back();
        if (url.size() >= 2 && url.front() == L'"' && url.back() == L'"') url = url.substr(1, url.size() - 2);
        urls.push_back(url);
    }
    std::fclose(in);
    return urls;
}

void Screenshot(const std::wstring& name) {
    lumvale::WindowDc screen(nullptr);
    lumvale::testsupport::SaveBitmap(lumvale::testsupport::CapturePixels(screen.get(), 0, 0,
                                                                         ::GetSystemMetrics(SM_CXSCREEN),
                                                                         ::GetSystemMetrics(SM_CYSCREEN)),
                                     name);
}

}  // namespace e2e
