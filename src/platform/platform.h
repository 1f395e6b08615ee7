#pragma once
// The narrow seam between the program's logic and Windows. Each operation is
// named after the Win32 call it stands for; the real implementation forwards
// to that call, the fake in tests/fake keeps an in-memory desktop and registry.
// Failures are reported the way the API reports them (0, false, empty text)
// and the logic above ignores them step by step.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The seam's operations carry the names of the Win32 calls they stand for;
// <windows.h> maps some of those names to their W forms, so the macros are
// dropped here. Windows code includes <windows.h> before this header and
// calls the W functions by their full names.
#ifdef _WIN32
#undef FindWindowEx
#undef GetSystemDirectory
#undef SetDllDirectory
#undef LoadLibraryEx
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
#undef SendMessageTimeout
#undef GetProp
#undef SetProp
#undef RemoveProp
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
struct Size {
    std::int32_t width = 0;
    std::int32_t height = 0;
};
struct Rect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

enum class RegRoot { CurrentUser, LocalMachine };
// The registry view a key is opened in: the process's own, or on 64-bit
// Windows the 64-bit one (KEY_WOW64_64KEY) or the 32-bit copy of the
// machine's keys that 32-bit programs see (KEY_WOW64_32KEY, Wow6432Node).
enum class RegView { Own, Registry64, Registry32 };

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
// WS_EX_TRANSPARENT: a layered window with it lets the mouse through.
constexpr std::int32_t kExStyleTransparent = 0x20;
constexpr std::uint32_t kLwaColorKey = 1;
constexpr std::uint32_t kLwaAlpha = 2;

// What SetLayeredWindowAttributes sets and GetLayeredWindowAttributes reads.
struct LayeredAttributes {
    std::uint32_t key = 0;  // COLORREF
    std::uint8_t alpha = 255;
    std::uint32_t flags = kLwaAlpha;
};

// GetLayeredWindowAttributes fails for a window that its program draws with
// UpdateLayeredWindow; systems before Windows XP do not have it.
enum class LayeredQuery { Ok, Failed, Unsupported };
// Shell_NotifyIcon's messages, and its record in the first layout with, for
// a balloon, the texts of the later ones.
enum class NotifyIconMessage { Add, Modify, Delete };
struct NotifyIconData {
    Hwnd owner = 0;
    std::uint32_t id = 0;
    std::uintptr_t icon = 0;  // HICON
    std::uint32_t callbackMessage = 0;
    std::wstring tip;
    std::wstring infoTitle, info;  // a balloon where `info` is not empty
};

// LoadLibraryEx's flags for a DLL given by its full path: LOAD_WITH_ALTERED_SEARCH_PATH
// (Windows 2000 and later) and LOAD_LIBRARY_SEARCH_SYSTEM32.
constexpr std::uint32_t kLoadWithAlteredSearchPath = 0x8;
constexpr std::uint32_t kLoadSearchSystem32 = 0x800;

// How SetWindowPos moves a window in the z-order: as the call does by
// default, which also activates it, or leaving its activation and its
// owner's place alone (SWP_NOACTIVATE | SWP_NOOWNERZORDER).
enum class ZOrderMove { Activating, Quietly };
constexpr Hwnd kHwndTopmost = -1;
constexpr Hwnd kHwndNotTopmost = -2;
constexpr std::int32_t kExStyleTopmost = 0x8;

// The devices of raw input that a window hears (usage page 1).
enum class RawInputDevice : std::uint16_t { Mouse = 2, Keyboard = 6 };
// A key going down or up, or anything of the mouse, as raw input reports it.
struct InputEvent {
    bool keyboard = false;
    int virtualKey = 0;
    bool keyUp = false;
};

class Platform {
public:
    virtual ~Platform() = default;

    // Keyboard and mouse.
    virtual std::int16_t GetAsyncKeyState(int virtualKey) = 0;
    virtual Point GetCursorPos() = 0;
    // RegisterRawInputDevices for one device: `target` hears it in the
    // background (RIDEV_INPUTSINK), or no window does any more (RIDEV_REMOVE).
    // False where the system lacks raw input (before Windows XP) or refuses.
    virtual bool RegisterRawInputDevices(RawInputDevice device, Hwnd target) = 0;
    // The session's last input, in the time of GetTickCount.
    virtual std::uint32_t GetLastInputInfo() = 0;
    virtual std::uint32_t GetTickCount() = 0;

    // Windows.
    virtual Hwnd GetForegroundWindow() = 0;
    virtual std::int32_t GetWindowLongExStyle(Hwnd window) = 0;
    virtual void SetWindowLongExStyle(Hwnd window, std::int32_t exStyle) = 0;
    // false on failure.
    virtual bool SetLayeredWindowAttributes(Hwnd window, const LayeredAttributes& attributes) = 0;
    virtual LayeredQuery GetLayeredWindowAttributes(Hwnd window, LayeredAttributes& attributes) = 0;
    // SendMessageTimeout(window, WM_NULL, SMTO_NORMAL | SMTO_ABORTIFHUNG),
    // which handles messages sent to this thread while it waits:
    // true when the window's thread answered within `timeoutMs`; false for a
    // hung or vanished window.
    virtual bool SendMessageTimeout(Hwnd window, unsigned timeoutMs) = 0;
    // A window's property list; 0 when the property is missing.
    virtual std::uintptr_t GetProp(Hwnd window, const wchar_t* name) = 0;
    virtual void SetProp(Hwnd window, const wchar_t* name, std::uintptr_t value) = 0;
    virtual void RemoveProp(Hwnd window, const wchar_t* name) = 0;
    // RedrawWindow(NULL, area, NULL,
    // RDW_INVALIDATE | RDW_NOINTERNALPAINT | RDW_ALLCHILDREN).
    virtual void RedrawWindowScreen(const Rect& area) = 0;
    // The rectangle around every monitor (SM_XVIRTUALSCREEN and its kin).
    virtual Rect GetVirtualScreen() = 0;
    // The next window of a class after `after` among the children of
    // `parent` (0: the top-level windows), or 0.
    virtual Hwnd FindWindowEx(Hwnd parent, Hwnd after, const std::wstring& className) = 0;
    // The desktop window of the shell (Progman), 0 where there is none.
    virtual Hwnd GetShellWindow() = 0;
    // The top-level windows, in their order on the screen (EnumWindows).
    virtual std::vector<Hwnd> EnumWindows() = 0;
    // The top-level window under a point of the screen: WindowFromPoint and
    // GetAncestor(GA_ROOT); 0 where there is none.
    virtual Hwnd WindowFromPoint(Point point) = 0;
    virtual Hwnd GetParent(Hwnd window) = 0;
    // GetClassName / GetWindowText into a buffer of `bufferChars` characters
    // (terminating NUL included); returns what the call copied.
    virtual std::wstring GetClassName(Hwnd window, int bufferChars) = 0;
    virtual std::wstring GetWindowText(Hwnd window, int bufferChars) = 0;
    // Returns the thread id, 0 on failure; writes the process id.
    virtual std::uint32_t GetWindowThreadProcessId(Hwnd window, std::uint32_t* processId) = 0;
    // SetWindowPos(window, insertAfter, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE),
    // with the flags of `move`; false when it failed.
    virtual bool SetWindowPosZOrder(Hwnd window, Hwnd insertAfter, ZOrderMove move) = 0;
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
    virtual RegKeyHandle RegOpenKey(RegRoot root, const std::wstring& path, RegView view) = 0;
    virtual RegKeyHandle RegCreateKey(RegRoot root, const std::wstring& path, RegView view) = 0;
    // Reads a text value (REG_SZ or REG_EXPAND_SZ) into `text`, up to its
    // first NUL. With `bufferBytes` > 0 the caller's buffer holds that many
    // bytes: a longer value gives MoreData and `text` holds what fits in the
    // buffer before its NUL. A value of another type reads as NotFound.
    virtual RegQueryResult RegQueryValueEx(RegKeyHandle key, const std::wstring& name,
                                           std::wstring& text, std::uint32_t bufferBytes) = 0;
    // REG_SZ; false where it was refused.
    virtual bool RegSetValueEx(RegKeyHandle key, const std::wstring& name, const std::wstring& text) = 0;
    // The first byte of a REG_BINARY value; nothing where it is missing or
    // of another type.
    virtual std::optional<std::uint8_t> RegQueryBinaryValue(RegKeyHandle key, const std::wstring& name) = 0;
    virtual void RegDeleteValue(RegKeyHandle key, const std::wstring& name) = 0;
    // Deletes a key that has no subkeys, with its values.
    virtual void RegDeleteKey(RegRoot root, const std::wstring& path) = 0;
    virtual void RegFlushKey(RegKeyHandle key) = 0;
    virtual void RegCloseKey(RegKeyHandle key) = 0;
    // Watches HKEY_CURRENT_USER\<path> and everything below it for changes
    // made by any process (RegNotifyChangeKeyValue); until the key exists,
    // its parent is watched for its creation.
    virtual void RegNotifyChangeKeyValue(const std::wstring& path) = 0;
    // True when a change was reported since the last call, and whenever no
    // watch is running, so that a caller reads afresh.
    virtual bool RegChangeNotified() = 0;

    // Shell. ShellNotifyIcon is false where the shell refused the request.
    virtual bool ShellNotifyIcon(NotifyIconMessage message, const NotifyIconData& data) = 0;
    virtual void ShellExecute(const std::wstring& verb, const std::wstring& file,
                              const std::wstring& parameters, const std::wstring& directory,
                              int showCommand) = 0;

    // The integrity level of a process (GetTokenInformation with
    // TokenIntegrityLevel; processId 0: this one); nothing where it cannot
    // be read, as on systems before Windows Vista, which have none.
    virtual std::optional<std::uint32_t> GetIntegrityLevel(std::uint32_t processId) = 0;
    // Lets a registered message through to `window` from processes of lower
    // integrity: ChangeWindowMessageFilterEx where the system has it (7 and
    // later), else ChangeWindowMessageFilter for the process (Vista); false
    // where it has neither.
    virtual bool ChangeWindowMessageFilterEx(Hwnd window, std::uint32_t message) = 0;
    virtual bool ChangeWindowMessageFilter(std::uint32_t message) = 0;

    // GetVersionEx; 0 when the query fails.
    virtual std::uint32_t GetVersionMajor() = 0;
    // A 64-bit program, or a 32-bit one on 64-bit Windows (IsWow64Process,
    // where the system has it).
    virtual bool Is64BitWindows() = 0;

    // Where DLLs come from. SetDefaultDllDirectories is false where the
    // system lacks it (before Windows 8, and 7 without its update).
    virtual bool SetDefaultDllDirectories(std::uint32_t flags) = 0;
    virtual void SetDllDirectory(const std::wstring& directory) = 0;  // XP SP1 and later
    virtual void LoadLibraryEx(const std::wstring& path, std::uint32_t flags) = 0;
    virtual std::wstring GetSystemDirectory() = 0;
};

}  // namespace lumvale
