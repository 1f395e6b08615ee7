#pragma once
// The end-to-end driver: starts the real lumvale.exe and other programs in
// the Wine session, moves real keys and the mouse with SendInput, and reads
// the results back through Win32 (window styles and alphas, texts,
// rectangles, the registry). Waits poll until a state holds.

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/win32_pixels.h"

namespace e2e {

using lumvale::testsupport::LayeredAlpha;
using lumvale::testsupport::PumpMessages;

// Polls `condition` every 20 ms until it holds or `timeoutMs` has passed.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

std::wstring ExeDirectory();
std::wstring LumvaleExePath();

// A process started by the driver; terminated on destruction if still alive.
class Process {
public:
    Process() = default;
    explicit Process(const std::wstring& commandLine);
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();

    DWORD id() const { return id_; }
    HANDLE handle() const { return process_; }
    bool Running() const;
    bool WaitForExit(int timeoutMs);
    void Terminate();

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// Top-level windows, including hidden ones, of a process; optionally of a class.
std::vector<HWND> WindowsOf(DWORD processId, const wchar_t* className = nullptr, bool visibleOnly = false);
HWND FindWindowOf(DWORD processId, const wchar_t* className, bool visibleOnly = false);
std::wstring TextOf(HWND window);
std::wstring ClassOf(HWND window);
RECT WindowRectOf(HWND window);
// The rectangle of `child` relative to the client area of its parent.
RECT RectInParent(HWND child);

bool IsTopmost(HWND window);

// The first descendant of `parent` of a class (and with a text, if given).
HWND FindDescendant(HWND parent, const wchar_t* className, const wchar_t* text = nullptr);
POINT CenterOf(HWND window);

// Brings a window to the front and waits until input reaches it.
void Activate(HWND window);

// lumvale.exe, started and waited for until its hidden main window exists
// and its splash has closed.
class Lumvale {
public:
    explicit Lumvale(const std::wstring& exePath = LumvaleExePath());
    HWND mainWindow() const { return main_; }
    Process& process() { return process_; }
    // Asks the hidden window to close, as the tray menu's Exit does.
    bool Close(int timeoutMs = 5000);

private:
    Process process_;
    HWND main_ = nullptr;
};

// Wine's notepad in front, with its own process.
class Notepad {
public:
    Notepad();
    HWND window() const { return window_; }
    HWND edit() const;
    Process& process() { return process_; }
    void BringToFront() const;

private:
    Process process_;
    HWND window_ = nullptr;
};

// A plain window of the driver's own, in front, that logs the keys it gets.
class TargetWindow {
public:
    explicit TargetWindow(const wchar_t* title = L"Lumvale test target");
    ~TargetWindow();
    TargetWindow(const TargetWindow&) = delete;
    TargetWindow& operator=(const TargetWindow&) = delete;
    HWND get() const { return window_; }
    void BringToFront() const;
    const std::vector<WPARAM>& keysDown() const { return keysDown_; }
    void ClearKeys() { keysDown_.clear(); }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
    std::vector<WPARAM> keysDown_;
};

// Real input.
void KeyDown(WORD virtualKey);
void KeyUp(WORD virtualKey);
void PressChord(const std::vector<WORD>& keys, int holdMs = 120);
void MoveMouse(int x, int y);
void MouseButton(bool right, bool down);
void Click(int x, int y, bool right = false);
void ReleaseEverything();

// The program's store in HKCU\Software\Lumvale.
void ResetStore();
// A store in which the settings were saved once, so no dialog opens at start.
void MarkSettingsSaved();
void WriteValue(const std::wstring& section, const std::wstring& name, const std::wstring& text);
std::optional<std::wstring> ReadValue(const std::wstring& section, const std::wstring& name);
bool SectionExists(const std::wstring& section);
// "name=value" lines of a section, for failure messages.
std::string DumpSection(const std::wstring& section);
bool ProgramKeyExists();
extern const wchar_t kSettingsSection[];
extern const wchar_t kRememberKey[];

// The notification area: icons shown in the taskbar, and the open popup
// menu of a process.
HWND Taskbar();
// The centre of Lumvale's icon as the taskbar shows it, found by its colours.
std::optional<POINT> FindLumvaleTrayIcon();

// A copy of part of the screen.
class ScreenPixels {
public:
    explicit ScreenPixels(const RECT& area);
    COLORREF At(int x, int y) const;  // screen coordinates; CLR_INVALID outside

private:
    RECT area_;
    lumvale::testsupport::Pixels pixels_;
};
HWND OpenMenuOf(DWORD processId);
// A tray notification as the shell sends it: `mouseMessage` happened over
// the icon.
void PostTrayNotification(HWND mainWindow, UINT mouseMessage);

// Makes url_recorder.exe the prefix's handler of http, https and mailto
// addresses, and reads back what it was handed.
void RegisterUrlRecorder();
void ClearRecordedUrls();
std::vector<std::wstring> RecordedUrls();

// Saves the whole screen as build/e2e-shots/<name>.bmp.
void Screenshot(const std::wstring& name);

}  // namespace e2e
