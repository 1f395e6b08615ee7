#pragma once
// The narrow seam between the program's logic and Windows. Each operation is
// named after the Win32 call it stands for; the real implementation forwards
// to that call, the fake in tests/fake keeps an in-memory desktop and registry.
// Failures are reported the way the API reports them (0, false, empty text)
// and the logic above ignores them step by step.

#include <array>
#include <cstdint>
#include <string>

// The seam's operations carry the names of the Win32 calls they stand for;
// <windows.h> maps some of those names to their W forms, so the macros are
// dropped here. Windows code includes <windows.h> before this header and
// calls the W functions by their full names.
#ifdef _WIN32
#undef FindWindow
#undef GetClassName
#undef GetWindowText
#undef Process32First
#undef Process32Next
#undef RegOpenKey
#undef RegCreateKey
#undef RegQueryValueEx
#undef RegSetValueEx
#undef RegDeleteValue
#undef RegDeleteKey
#undef ShellExecute
#endif

namespace lumvale {

// A window handle as its 32-bit value. Windows keeps window handles within
// 32 bits on 64-bit systems too, so records name a window the same way in
// both builds.
using Hwnd = std::int32_t;

// Opaque handles of the seam; 0 means "none".
using RegKeyHandle = std::uintptr_t;
using SnapshotHandle = std::uintptr_t;
constexpr SnapshotHandle kInvalidSnapshot = ~SnapshotHandle{0};

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

enum class RegRoot { CurrentUser, LocalMachine };

// Result codes of RegQueryValueEx that the logic distinguishes.
enum class RegQueryResult { Ok, NotFound, MoreData };

// The fields of a process snapshot record that the program reads.
struct ProcessEntry {
    std::uint32_t processId = 0;
    std::array<wchar_t, 260> exeFile{};
};

// Virtual keys that the poller queries.
constexpr int kVkLButton = 0x01;
constexpr int kVkRButton = 0x02;
constexpr int kVkShift = 0x10;
constexpr int kVkControl = 0x11;
constexpr int kVkMenu = 0x12;  // Alt
constexpr int kVkDigit0 = 0x30;

constexpr std::int32_t kExStyleLayered = 0x80000;
constexpr Hwnd kHwndTopmost = -1;
constexpr Hwnd kHwndNotTopmost = -2;

class Platform {
public:
    virtual ~Platform() = default;

    // Keyboard and mouse.
    virtual std::int16_t GetAsyncKeyState(int virtualKey) = 0;
    virtual Point GetCursorPos() = 0;

    // Windows.
    virtual Hwnd GetForegroundWindow() = 0;
    virtual std::int32_t GetWindowLongExStyle(Hwnd window) = 0;
    virtual void SetWindowLongExStyle(Hwnd window, std::int32_t exStyle) = 0;
    // SetLayeredWindowAttributes(window, 0, alpha, LWA_ALPHA); false on failure.
    virtual bool SetLayeredWindowAttributes(Hwnd window, std::uint8_t alpha) = 0;
    // RedrawWindow(NULL, rect (0,0)-(width,height), NULL,
    // RDW_INVALIDATE | RDW_NOINTERNALPAINT | RDW_ALLCHILDREN).
    virtual void RedrawWindowScreen(int width, int height) = 0;
    virtual int GetScreenWidth() = 0;   // GetSystemMetrics(SM_CXSCREEN)
    virtual int GetScreenHeight() = 0;  // GetSystemMetrics(SM_CYSCREEN)
    virtual Hwnd FindWindow(const std::wstring& className, const std::wstring& title) = 0;
    virtual Hwnd GetParent(Hwnd window) = 0;
    // GetClassName / GetWindowText into a buffer of `bufferChars` characters
    // (terminating NUL included); returns what the call copied.
    virtual std::wstring GetClassName(Hwnd window, int bufferChars) = 0;
    virtual std::wstring GetWindowText(Hwnd window, int bufferChars) = 0;
    // Returns the thread id, 0 on failure; writes the process id.
    virtual std::uint32_t GetWindowThreadProcessId(Hwnd window, std::uint32_t* processId) = 0;
    // SetWindowPos(window, insertAfter, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE).
    virtual void SetWindowPosZOrder(Hwnd window, Hwnd insertAfter) = 0;
    // Dispatches the thread's pending messages and returns (DoEvents).
    virtual void ProcessPendingMessages() = 0;

    // Process snapshot.
    virtual SnapshotHandle CreateToolhelp32Snapshot() = 0;  // TH32CS_SNAPPROCESS, pid 0
    virtual bool Process32First(SnapshotHandle snapshot, ProcessEntry& entry) = 0;
    virtual bool Process32Next(SnapshotHandle snapshot, ProcessEntry& entry) = 0;
    virtual void CloseHandle(SnapshotHandle snapshot) = 0;

    // Sound; synchronous.
    virtual void Beep(std::uint32_t frequency, std::uint32_t durationMs) = 0;

    // Registry. Keys are returned open and must be closed with RegCloseKey;
    // 0 means the call failed.
    virtual RegKeyHandle RegOpenKey(RegRoot root, const std::wstring& path) = 0;
    virtual RegKeyHandle RegCreateKey(RegRoot root, const std::wstring& path) = 0;
    // Reads a text value (REG_SZ or REG_EXPAND_SZ) into `text`, up to its
    // first NUL. With `bufferBytes` > 0 the caller's buffer holds that many
    // bytes: a longer value gives MoreData and `text` holds what fits in the
    // buffer before its NUL. A value of another type reads as NotFound.
    virtual RegQueryResult RegQueryValueEx(RegKeyHandle key, const std::wstring& name,
                                           std::wstring& text, std::uint32_t bufferBytes) = 0;
    virtual void RegSetValueEx(RegKeyHandle key, const std::wstring& name,
                               const std::wstring& text) = 0;  // REG_SZ
    virtual void RegDeleteValue(RegKeyHandle key, const std::wstring& name) = 0;
    // Deletes a key that has no subkeys, with its values.
    virtual void RegDeleteKey(RegRoot root, const std::wstring& path) = 0;
    virtual void RegFlushKey(RegKeyHandle key) = 0;
    virtual void RegCloseKey(RegKeyHandle key) = 0;

    // Shell.
    virtual void ShellExecute(const std::wstring& verb, const std::wstring& file,
                              const std::wstring& parameters, const std::wstring& directory,
                              int showCommand) = 0;

    // GetVersionEx; 0 when the query fails.
    virtual std::uint32_t GetVersionMajor() = 0;
};

}  // namespace lumvale
