#pragma once
// The seam's real implementation: each operation forwards to its Win32 call.

#include <windows.h>

#include <memory>

#include "platform/platform.h"

namespace lumvale {

class Win32Platform : public Platform {
public:
    Win32Platform();
    ~Win32Platform() override;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    std::int16_t GetAsyncKeyState(int virtualKey) override;
    Point GetCursorPos() override;
    bool RegisterRawInputDevices(RawInputDevice device, Hwnd target) override;
    std::uint32_t GetLastInputInfo() override;
    std::uint32_t GetTickCount() override;
    Hwnd GetForegroundWindow() override;
    std::int32_t GetWindowLongExStyle(Hwnd window) override;
    void SetWindowLongExStyle(Hwnd window, std::int32_t exStyle) override;
    bool SetLayeredWindowAttributes(Hwnd window, const LayeredAttributes& attributes) override;
    LayeredQuery GetLayeredWindowAttributes(Hwnd window, LayeredAttributes& attributes) override;
    bool SendMessageTimeout(Hwnd window, unsigned timeoutMs) override;
    std::uintptr_t GetProp(Hwnd window, const wchar_t* name) override;
    void SetProp(Hwnd window, const wchar_t* name, std::uintptr_t value) override;
    void RemoveProp(Hwnd window, const wchar_t* name) override;
    void RedrawWindowScreen(const Rect& area) override;
    Rect GetVirtualScreen() override;
    Hwnd FindWindowEx(Hwnd parent, Hwnd after, const std::wstring& className) override;
    Hwnd GetShellWindow() override;
    std::vector<Hwnd> EnumWindows() override;
    Hwnd WindowFromPoint(Point point) override;
    Hwnd GetParent(Hwnd window) override;
    std::wstring GetClassName(Hwnd window, int bufferChars) override;
    std::wstring GetWindowText(Hwnd window, int bufferChars) override;
    std::uint32_t GetWindowThreadProcessId(Hwnd window, std::uint32_t* processId) override;
    bool SetWindowPosZOrder(Hwnd window, Hwnd insertAfter, ZOrderMove move) override;
    void ProcessPendingMessages() override;
    SnapshotHandle CreateToolhelp32Snapshot() override;
    bool Process32First(SnapshotHandle snapshot, ProcessEntry& entry) override;
    bool Process32Next(SnapshotHandle snapshot, ProcessEntry& entry) override;
    void CloseHandle(SnapshotHandle snapshot) override;
    void Beep(std::uint32_t frequency, std::uint32_t durationMs) override;
    RegKeyHandle RegOpenKey(RegRoot root, const std::wstring& path, RegView view) override;
    RegKeyHandle RegCreateKey(RegRoot root, const std::wstring& path, RegView view) override;
    RegQueryResult RegQueryValueEx(RegKeyHandle key, const std::wstring& name, std::wstring& text,
                                   std::uint32_t bufferBytes) override;
    bool RegSetValueEx(RegKeyHandle key, const std::wstring& name, const std::wstring& text) override;
    std::optional<std::uint8_t> RegQueryBinaryValue(RegKeyHandle key, const std::wstring& name) override;
    void RegDeleteValue(RegKeyHandle key, const std::wstring& name) override;
    void RegDeleteKey(RegRoot root, const std::wstring& path) override;
    void RegFlushKey(RegKeyHandle key) override;
    void RegCloseKey(RegKeyHandle key) override;
    void RegNotifyChangeKeyValue(const std::wstring& path) override;
    bool RegChangeNotified() override;
    bool ShellNotifyIcon(NotifyIconMessage message, const NotifyIconData& data) override;
    void ShellExecute(const std::wstring& verb, const std::wstring& file, const std::wstring& parameters,
                      const std::wstring& directory, int showCommand) override;
    std::optional<std::uint32_t> GetIntegrityLevel(std::uint32_t processId) override;
    bool ChangeWindowMessageFilterEx(Hwnd window, std::uint32_t message) override;
    bool ChangeWindowMessageFilter(std::uint32_t message) override;
    std::uint32_t GetVersionMajor() override;
    bool Is64BitWindows() override;
    bool SetDefaultDllDirectories(std::uint32_t flags) override;
    void SetDllDirectory(const std::wstring& directory) override;
    void LoadLibraryEx(const std::wstring& path, std::uint32_t flags) override;
    std::wstring GetSystemDirectory() override;

private:
    class RegistryWatch;
    std::unique_ptr<RegistryWatch> watch_;
    using GetLayeredWindowAttributesFunction = BOOL(WINAPI*)(HWND, COLORREF*, BYTE*, DWORD*);
    GetLayeredWindowAttributesFunction getLayeredWindowAttributes_;  // null before Windows XP
};

}  // namespace lumvale
