#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include "platform/win32_platform.h"

#include <algorithm>
#include <vector>

#include "platform/system_function.h"
#include "platform/win32_handles.h"

namespace lumvale {
namespace {

HKEY RootKey(RegRoot root) { return root == RegRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }
HKEY ToHkey(RegKeyHandle key) { return reinterpret_cast<HKEY>(key); }
HANDLE ToHandle(SnapshotHandle snapshot) { return reinterpret_cast<HANDLE>(snapshot); }
// Windows 2000 does not know the view flags: the logic asks for a view only
// where the system is 64-bit.
REGSAM ViewAccess(RegView view) {
    constexpr REGSAM k64 = 0x0100, k32 = 0x0200;  // KEY_WOW64_64KEY, KEY_WOW64_32KEY
    return view == RegView::Registry64 ? k64 : view == RegView::Registry32 ? k32 : 0;
}

void CopyEntry(const PROCESSENTRY32W& source, ProcessEntry& entry) {
    entry.processId = source.th32ProcessID;
    std::copy(std::begin(source.szExeFile), std::end(source.szExeFile), entry.exeFile.begin());
}

// Text of a REG_SZ buffer of `bytes` bytes, up to its first NUL; the buffer
// need not be terminated.
std::wstring TextOfData(const std::vector<wchar_t>& data, DWORD bytes) {
    const std::size_t chars = std::min<std::size_t>(bytes / sizeof(wchar_t), data.size());
    const auto end = std::find(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(chars), L'\0');
    return std::wstring(data.begin(), end);
}

BOOL CALLBACK NoteWindow(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<Hwnd>*>(windows)->push_back(FromHwnd(window));
    return TRUE;
}

}  // namespace

// Tells the user-interface thread that something below a key of
// HKEY_CURRENT_USER changed, whoever changed it. A thread of its own waits
// for the system's notification and raises a flag, so that a timer tick
// learns of a change without a call of its own. Until the key exists, its
// parent is watched for the key's creation.
class Win32Platform::RegistryWatch {
public:
    explicit RegistryWatch(std::wstring path)
        : path_(std::move(path)),
          stop_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          notified_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
        if (stop_ && notified_) thread_.reset(::CreateThread(nullptr, 0, &RegistryWatch::Run, this, 0, nullptr));
    }
    RegistryWatch(const RegistryWatch&) = delete;
    RegistryWatch& operator=(const RegistryWatch&) = delete;
    ~RegistryWatch() {
        if (!thread_) return;
        ::SetEvent(stop_.get());
        ::WaitForSingleObject(thread_.get(), INFINITE);
    }

    bool TakeChange() { return !thread_ || ::InterlockedExchange(&changed_, 0) != 0; }

private:
    static DWORD WINAPI Run(void* self) {
        static_cast<RegistryWatch*>(self)->Watch();
        return 0;
    }

    void Watch() {
        const std::wstring parent = path_.substr(0, path_.find_last_of(L'\\'));
        const DWORD filter = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;
        unique_reg_key key;
        bool whole = false;
        for (;;) {
            if (!whole) whole = Open(parent, key);
            const LONG armed = key ? ::RegNotifyChangeKeyValue(key.get(), whole, filter, notified_.get(), TRUE)
                                   : ERROR_INVALID_HANDLE;
            // The key went away under the watch: open it, or its parent, anew.
            if (armed == ERROR_KEY_DELETED) {
                whole = false;
                continue;
            }
            // Raised after arming: what changed before is read afresh, what
            // changes from now on wakes the wait.
            ::InterlockedExchange(&changed_, 1);
            const HANDLE events[] = {stop_.get(), notified_.get()};
            const DWORD woke = armed == ERROR_SUCCESS ? ::WaitForMultipleObjects(2, events, FALSE, INFINITE)
                                                      : ::WaitForSingleObject(stop_.get(), 1000);
            if (woke == WAIT_OBJECT_0) break;
        }
    }

    // Opens the key itself if it exists, else its parent; true for the key.
    bool Open(const std::wstring& parent, unique_reg_key& key) {
        key.reset();
        // Closing a watched key signals its event.
        ::ResetEvent(notified_.get());
        HKEY opened = nullptr;
        const bool whole = ::RegOpenKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_NOTIFY, &opened) == ERROR_SUCCESS;
        if (!whole && ::RegOpenKeyExW(HKEY_CURRENT_USER, parent.c_str(), 0, KEY_NOTIFY, &opened) != ERROR_SUCCESS)
            opened = nullptr;
        key.reset(opened);
        return whole;
    }

    const std::wstring path_;
    unique_kernel_object stop_;
    unique_kernel_object notified_;
    unique_kernel_object thread_;
    volatile LONG changed_ = 1;
};

Win32Platform::Win32Platform()
    : getLayeredWindowAttributes_(
          SystemFunction<GetLayeredWindowAttributesFunction>(L"user32.dll", "GetLayeredWindowAttributes")) {}
Win32Platform::~Win32Platform() = default;

std::int16_t Win32Platform::GetAsyncKeyState(int virtualKey) { return ::GetAsyncKeyState(virtualKey); }

Point Win32Platform::GetCursorPos() {
    POINT point{};
    ::GetCursorPos(&point);
    return {point.x, point.y};
}

bool Win32Platform::RegisterRawInputDevices(RawInputDevice device, Hwnd target) {
    // Windows 2000 has no raw input.
    using RegisterFunction = BOOL(WINAPI*)(const RAWINPUTDEVICE*, UINT, UINT);
    static const auto registerDevices = SystemFunction<RegisterFunction>(L"user32.dll", "RegisterRawInputDevices");
    if (!registerDevices) return false;
    constexpr DWORD kInputSink = 0x100, kRemove = 0x1;  // RIDEV_INPUTSINK, RIDEV_REMOVE
    RAWINPUTDEVICE request{1, static_cast<USHORT>(device), target ? kInputSink : kRemove, ToHwnd(target)};
    return registerDevices(&request, 1, sizeof(request)) != FALSE;
}

std::uint32_t Win32Platform::GetLastInputInfo() {
    LASTINPUTINFO info{sizeof(info), 0};
    return ::GetLastInputInfo(&info) ? info.dwTime : ::GetTickCount();
}

std::uint32_t Win32Platform::GetTickCount() { return ::GetTickCount(); }

Hwnd Win32Platform::GetForegroundWindow() { return FromHwnd(::GetForegroundWindow()); }

std::int32_t Win32Platform::GetWindowLongExStyle(Hwnd window) {
    return static_cast<std::int32_t>(::GetWindowLongW(ToHwnd(window), GWL_EXSTYLE));
}

void Win32Platform::SetWindowLongExStyle(Hwnd window, std::int32_t exStyle) {
    ::SetWindowLongW(ToHwnd(window), GWL_EXSTYLE, exStyle);
}

bool Win32Platform::SetLayeredWindowAttributes(Hwnd window, const LayeredAttributes& attributes) {
    return ::SetLayeredWindowAttributes(ToHwnd(window), attributes.key, attributes.alpha, attributes.flags) != FALSE;
}

LayeredQuery Win32Platform::GetLayeredWindowAttributes(Hwnd window, LayeredAttributes& attributes) {
    if (!getLayeredWindowAttributes_) return LayeredQuery::Unsupported;
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!getLayeredWindowAttributes_(ToHwnd(window), &key, &alpha, &flags)) return LayeredQuery::Failed;
    attributes = {key, alpha, flags};
    return LayeredQuery::Ok;
}

bool Win32Platform::SendMessageTimeout(Hwnd window, unsigned timeoutMs) {
    DWORD_PTR result = 0;
    // Not SMTO_BLOCK: messages that the window's thread sends to this one
    // meanwhile (the shell's notifications, say) are handled, or the two
    // threads would wait for each other until the time-out.
    return ::SendMessageTimeoutW(ToHwnd(window), WM_NULL, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, timeoutMs,
                                 &result) != 0;
}

std::uintptr_t Win32Platform::GetProp(Hwnd window, const wchar_t* name) {
    return reinterpret_cast<std::uintptr_t>(::GetPropW(ToHwnd(window), name));
}

void Win32Platform::SetProp(Hwnd window, const wchar_t* name, std::uintptr_t value) {
    ::SetPropW(ToHwnd(window), name, reinterpret_cast<HANDLE>(value));
}

void Win32Platform::RemoveProp(Hwnd window, const wchar_t* name) { ::RemovePropW(ToHwnd(window), name); }

void Win32Platform::RedrawWindowScreen(const Rect& area) {
    RECT rect{area.left, area.top, area.right, area.bottom};
    ::RedrawWindow(nullptr, &rect, nullptr, RDW_INVALIDATE | RDW_NOINTERNALPAINT | RDW_ALLCHILDREN);
}

Rect Win32Platform::GetVirtualScreen() {
    const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN), top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN), top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

Hwnd Win32Platform::FindWindowEx(Hwnd parent, Hwnd after, const std::wstring& className) {
    return FromHwnd(::FindWindowExW(ToHwnd(parent), ToHwnd(after), className.c_str(), nullptr));
}

Hwnd Win32Platform::GetShellWindow() { return FromHwnd(::GetShellWindow()); }

std::vector<Hwnd> Win32Platform::EnumWindows() {
    std::vector<Hwnd> windows;
    ::EnumWindows(&NoteWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

Hwnd Win32Platform::WindowFromPoint(Point point) {
    return FromHwnd(::GetAncestor(::WindowFromPoint(POINT{point.x, point.y}), GA_ROOT));
}

Hwnd Win32Platform::GetParent(Hwnd window) { return FromHwnd(::GetParent(ToHwnd(window))); }

std::wstring Win32Platform::GetClassName(Hwnd window, int bufferChars) {
    if (bufferChars <= 0) return {};
    std::vector<wchar_t> buffer(static_cast<std::size_t>(bufferChars), L'\0');
    const int copied = ::GetClassNameW(ToHwnd(window), buffer.data(), bufferChars);
    return std::wstring(buffer.data(), static_cast<std::size_t>(std::clamp(copied, 0, bufferChars - 1)));
}

std::wstring Win32Platform::GetWindowText(Hwnd window, int bufferChars) {
    if (bufferChars <= 0) return {};
    std::vector<wchar_t> buffer(static_cast<std::size_t>(bufferChars), L'\0');
    const int copied = ::GetWindowTextW(ToHwnd(window), buffer.data(), bufferChars);
    return std::wstring(buffer.data(), static_cast<std::size_t>(std::clamp(copied, 0, bufferChars - 1)));
}

std::uint32_t Win32Platform::GetWindowThreadProcessId(Hwnd window, std::uint32_t* processId) {
    DWORD process = 0;
    const DWORD thread = ::GetWindowThreadProcessId(ToHwnd(window), &process);
    if (processId) *processId = process;
    return thread;
}

bool Win32Platform::SetWindowPosZOrder(Hwnd window, Hwnd insertAfter, ZOrderMove move) {
    const UINT quietly = move == ZOrderMove::Quietly ? SWP_NOACTIVATE | SWP_NOOWNERZORDER : 0;
    return ::SetWindowPos(ToHwnd(window), ToHwnd(insertAfter), 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | quietly) != FALSE;
}

void Win32Platform::ProcessPendingMessages() {
    // Handles what is queued now; the bound keeps a handler that keeps
    // posting from holding the caller forever.
    MSG message;
    for (int handled = 0; handled < 1000 && ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++handled) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

SnapshotHandle Win32Platform::CreateToolhelp32Snapshot() {
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return kInvalidSnapshot;
    return reinterpret_cast<SnapshotHandle>(snapshot);
}

bool Win32Platform::Process32First(SnapshotHandle snapshot, ProcessEntry& entry) {
    PROCESSENTRY32W record{};
    record.dwSize = sizeof(record);
    if (!::Process32FirstW(ToHandle(snapshot), &record)) return false;
    CopyEntry(record, entry);
    return true;
}

bool Win32Platform::Process32Next(SnapshotHandle snapshot, ProcessEntry& entry) {
    PROCESSENTRY32W record{};
    record.dwSize = sizeof(record);
    if (!::Process32NextW(ToHandle(snapshot), &record)) return false;
    CopyEntry(record, entry);
    return true;
}

void Win32Platform::CloseHandle(SnapshotHandle snapshot) { ::CloseHandle(ToHandle(snapshot)); }

void Win32Platform::Beep(std::uint32_t frequency, std::uint32_t durationMs) { ::Beep(frequency, durationMs); }

RegKeyHandle Win32Platform::RegOpenKey(RegRoot root, const std::wstring& path, RegView view) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(RootKey(root), path.c_str(), 0, MAXIMUM_ALLOWED | ViewAccess(view), &key) != ERROR_SUCCESS)
        return 0;
    return reinterpret_cast<RegKeyHandle>(key);
}

RegKeyHandle Win32Platform::RegCreateKey(RegRoot root, const std::wstring& path, RegView view) {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(RootKey(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_READ | KEY_WRITE | ViewAccess(view), nullptr, &key, nullptr) != ERROR_SUCCESS)
        return 0;
    return reinterpret_cast<RegKeyHandle>(key);
}

RegQueryResult Win32Platform::RegQueryValueEx(RegKeyHandle key, const std::wstring& name,
                                              std::wstring& text, std::uint32_t bufferBytes) {
    // The value may change between the size query and the read (another
    // running copy writes the same store), so a few attempts are made.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0;
        DWORD bytes = 0;
        if (::RegQueryValueExW(ToHkey(key), name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
            return RegQueryResult::NotFound;
        if (type != REG_SZ && type != REG_EXPAND_SZ) return RegQueryResult::NotFound;
        std::vector<wchar_t> data(bytes / sizeof(wchar_t) + 1, L'\0');
        DWORD read = static_cast<DWORD>((data.size()) * sizeof(wchar_t));
        const LONG status = ::RegQueryValueExW(ToHkey(key), name.c_str(), nullptr, &type,
                                               reinterpret_cast<BYTE*>(data.data()), &read);
        if (status == ERROR_MORE_DATA) continue;
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
            return RegQueryResult::NotFound;
        text = TextOfData(data, read);
        if (bufferBytes != 0 && read > bufferBytes) {
            const std::size_t fits = bufferBytes / sizeof(wchar_t) - 1;
            if (text.size() > fits) text.resize(fits);
            return RegQueryResult::MoreData;
        }
        return RegQueryResult::Ok;
    }
    return RegQueryResult::NotFound;
}

bool Win32Platform::RegSetValueEx(RegKeyHandle key, const std::wstring& name, const std::wstring& text) {
    const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(ToHkey(key), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            bytes) == ERROR_SUCCESS;
}

std::optional<std::uint8_t> Win32Platform::RegQueryBinaryValue(RegKeyHandle key, const std::wstring& name) {
    BYTE data[64] = {};
    DWORD type = 0, bytes = sizeof(data);
    if (::RegQueryValueExW(ToHkey(key), name.c_str(), nullptr, &type, data, &bytes) != ERROR_SUCCESS ||
        type != REG_BINARY || bytes == 0)
        return std::nullopt;
    return data[0];
}

void Win32Platform::RegDeleteValue(RegKeyHandle key, const std::wstring& name) {
    ::RegDeleteValueW(ToHkey(key), name.c_str());
}

void Win32Platform::RegDeleteKey(RegRoot root, const std::wstring& path) {
    ::RegDeleteKeyW(RootKey(root), path.c_str());
}

void Win32Platform::RegFlushKey(RegKeyHandle key) { ::RegFlushKey(ToHkey(key)); }

void Win32Platform::RegCloseKey(RegKeyHandle key) { ::RegCloseKey(ToHkey(key)); }

void Win32Platform::RegNotifyChangeKeyValue(const std::wstring& path) {
    watch_.reset();
    watch_ = std::make_unique<RegistryWatch>(path);
}

bool Win32Platform::RegChangeNotified() { return !watch_ || watch_->TakeChange(); }

bool Win32Platform::ShellNotifyIcon(NotifyIconMessage message, const NotifyIconData& data) {
    NOTIFYICONDATAW record{};
    record.hWnd = ToHwnd(data.owner);
    record.uID = data.id;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = data.callbackMessage;
    record.hIcon = reinterpret_cast<HICON>(data.icon);
    // The first record layout holds a tip of 63 characters and its NUL.
    data.tip.copy(record.szTip, 63);
    record.cbSize = NOTIFYICONDATAW_V1_SIZE;
    if (!data.info.empty()) {
        // A balloon (Windows 2000 and later, the second layout), quiet where
        // the system can be asked to be (XP and later).
        constexpr DWORD kInfoIcon = 1, kNoSound = 0x10;  // NIIF_INFO, NIIF_NOSOUND
        record.uFlags = NIF_INFO;
        data.info.copy(record.szInfo, 255);
        data.infoTitle.copy(record.szInfoTitle, 63);
        record.uTimeout = 10000;
        OSVERSIONINFOW version{};
        version.dwOSVersionInfoSize = sizeof(version);
        ::GetVersionExW(&version);
        const bool xpOrLater = version.dwMajorVersion > 5 || (version.dwMajorVersion == 5 && version.dwMinorVersion >= 1);
        record.dwInfoFlags = kInfoIcon | (xpOrLater ? kNoSound : 0);
        record.cbSize = NOTIFYICONDATAW_V2_SIZE;
    }
    const DWORD messages[] = {NIM_ADD, NIM_MODIFY, NIM_DELETE};
    return ::Shell_NotifyIconW(messages[static_cast<int>(message)], &record) != FALSE;
}

void Win32Platform::ShellExecute(const std::wstring& verb, const std::wstring& file,
                                 const std::wstring& parameters, const std::wstring& directory,
                                 int showCommand) {
    ::ShellExecuteW(nullptr, verb.c_str(), file.c_str(), parameters.c_str(), directory.c_str(), showCommand);
}

std::optional<std::uint32_t> Win32Platform::GetIntegrityLevel(std::uint32_t processId) {
    constexpr DWORD kQueryLimitedInformation = 0x1000;  // PROCESS_QUERY_LIMITED_INFORMATION, Vista and later
    constexpr auto kTokenIntegrityLevel = static_cast<TOKEN_INFORMATION_CLASS>(25);
    unique_kernel_object process(processId ? ::OpenProcess(kQueryLimitedInformation, FALSE, processId)
                                           : ::GetCurrentProcess());
    HANDLE token = nullptr;
    if (!process || !::OpenProcessToken(process.get(), TOKEN_QUERY, &token)) return std::nullopt;
    const unique_kernel_object ownedToken(token);
    // TOKEN_MANDATORY_LABEL: a SID and its attributes; the level is the
    // SID's last sub-authority.
    alignas(SID_AND_ATTRIBUTES) BYTE label[64] = {};
    DWORD bytes = 0;
    if (!::GetTokenInformation(token, kTokenIntegrityLevel, label, sizeof(label), &bytes)) return std::nullopt;
    const PSID sid = reinterpret_cast<SID_AND_ATTRIBUTES*>(label)->Sid;
    const UCHAR count = *::GetSidSubAuthorityCount(sid);
    if (count == 0) return std::nullopt;
    return *::GetSidSubAuthority(sid, count - 1);
}

bool Win32Platform::ChangeWindowMessageFilterEx(Hwnd window, std::uint32_t message) {
    constexpr DWORD kAllow = 1;  // MSGFLT_ALLOW
    using FilterEx = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    const auto filter = SystemFunction<FilterEx>(L"user32.dll", "ChangeWindowMessageFilterEx");
    return filter && filter(ToHwnd(window), message, kAllow, nullptr);
}

bool Win32Platform::ChangeWindowMessageFilter(std::uint32_t message) {
    constexpr DWORD kAdd = 1;  // MSGFLT_ADD
    using Filter = BOOL(WINAPI*)(UINT, DWORD);
    const auto filter = SystemFunction<Filter>(L"user32.dll", "ChangeWindowMessageFilter");
    return filter && filter(message, kAdd);
}

std::uint32_t Win32Platform::GetVersionMajor() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    ::GetVersionExW(&info);
    return info.dwMajorVersion;
}

bool Win32Platform::Is64BitWindows() {
    if (sizeof(void*) == 8) return true;
    using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, BOOL*);
    const auto query = SystemFunction<IsWow64ProcessFunction>(L"kernel32.dll", "IsWow64Process");
    BOOL wow64 = FALSE;
    return query && query(::GetCurrentProcess(), &wow64) && wow64;
}

bool Win32Platform::SetDefaultDllDirectories(std::uint32_t flags) {
    const auto set = SystemFunction<BOOL(WINAPI*)(DWORD)>(L"kernel32.dll", "SetDefaultDllDirectories");
    return set && set(flags);
}

void Win32Platform::SetDllDirectory(const std::wstring& directory) {
    if (const auto set = SystemFunction<BOOL(WINAPI*)(LPCWSTR)>(L"kernel32.dll", "SetDllDirectoryW"))
        set(directory.c_str());
}

void Win32Platform::LoadLibraryEx(const std::wstring& path, std::uint32_t flags) {
    // Held for the life of the process, as the system's own loads are.
    if (!::GetModuleHandleW(path.c_str())) ::LoadLibraryExW(path.c_str(), nullptr, flags);
}

std::wstring Win32Platform::GetSystemDirectory() { return SystemFolder(); }

}  // namespace lumvale
