#pragma once
// An in-memory desktop, registry, keyboard and process table behind the
// platform seam, with a log of the calls made.

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace lumvale::fake {

struct FakeWindow {
    std::wstring className;
    std::wstring title;
    Hwnd parent = 0;  // what GetParent reports: parent or owner
    std::uint32_t processId = 0;
    std::uint32_t threadId = 0;
    std::int32_t exStyle = 0;
    std::optional<std::uint8_t> alpha;  // set by SetLayeredWindowAttributes
    bool topmost = false;
};

struct ShellCall {
    std::wstring verb, file, parameters, directory;
    int show = 0;
};

class FakePlatform : public Platform {
public:
    // Desktop set-up.
    Hwnd AddWindow(FakeWindow window);
    void DestroyWindow(Hwnd window) { windows_.erase(window); }
    FakeWindow& Window(Hwnd window) { return windows_.at(window); }
    bool Exists(Hwnd window) const { return windows_.count(window) != 0; }
    void AddProcess(std::uint32_t processId, const std::wstring& exeFile);
    void AddProcessWithoutTerminator(std::uint32_t processId, wchar_t fill);
    void RemoveProcess(std::uint32_t processId);

    Hwnd foreground = 0;
    Point cursor;
    std::set<int> pressedKeys;
    std::uint32_t versionMajor = 5;
    int screenWidth = 1024, screenHeight = 768;
    bool failSetLayeredAttributes = false;
    bool failSnapshot = false;
    // Runs inside ProcessPendingMessages, to model handlers re-entering.
    std::function<void()> onPendingMessages;

    // Registry inspection and set-up; paths are below the root, e.g.
    // "Software\\Lumvale\\Wins".
    void SetValue(RegRoot root, const std::wstring& path, const std::wstring& name,
                  const std::wstring& text, bool textType = true);
    std::optional<std::wstring> Value(RegRoot root, const std::wstring& path,
                                      const std::wstring& name) const;
    bool KeyExists(RegRoot root, const std::wstring& path) const;
    std::size_t ValueCount(RegRoot root, const std::wstring& path) const;
    int openRegistryKeys() const { return static_cast<int>(openKeys_.size()); }

    // What was done.
    std::vector<std::string> calls;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> beeps;
    std::vector<ShellCall> shellCalls;
    int snapshotsTaken = 0;
    int openSnapshots = 0;
    int registryReads = 0;
    int registryWrites = 0;
    int CountCalls(const std::string& prefix) const;

    // Platform.
    std::int16_t GetAsyncKeyState(int virtualKey) override;
    Point GetCursorPos() override;
    Hwnd GetForegroundWindow() override;
    std::int32_t GetWindowLongExStyle(Hwnd window) override;
    void SetWindowLongExStyle(Hwnd window, std::int32_t exStyle) override;
    bool SetLayeredWindowAttributes(Hwnd window, std::uint8_t alpha) override;
    void RedrawWindowScreen(int width, int height) override;
    int GetScreenWidth() override { return screenWidth; }
    int GetScreenHeight() override { return screenHeight; }
    Hwnd FindWindow(const std::wstring& className, const std::wstring& title) override;
    Hwnd GetParent(Hwnd window) override;
    std::wstring GetClassName(Hwnd window, int bufferChars) override;
    std::wstring GetWindowText(Hwnd window, int bufferChars) override;
    std::uint32_t GetWindowThreadProcessId(Hwnd window, std::uint32_t* processId) override;
    void SetWindowPosZOrder(Hwnd window, Hwnd insertAfter) override;
    void ProcessPendingMessages() override;
    SnapshotHandle CreateToolhelp32Snapshot() override;
    bool Process32First(SnapshotHandle snapshot, ProcessEntry& entry) override;
    bool Process32Next(SnapshotHandle snapshot, ProcessEntry& entry) override;
    void CloseHandle(SnapshotHandle snapshot) override;
    void Beep(std::uint32_t frequency, std::uint32_t durationMs) override;
    RegKeyHandle RegOpenKey(RegRoot root, const std::wstring& path) override;
    RegKeyHandle RegCreateKey(RegRoot root, const std::wstring& path) override;
    RegQueryResult RegQueryValueEx(RegKeyHandle key, const std::wstring& name, std::wstring& text,
                                   std::uint32_t bufferBytes) override;
    void RegSetValueEx(RegKeyHandle key, const std::wstring& name, const std::wstring& text) override;
    void RegDeleteValue(RegKeyHandle key, const std::wstring& name) override;
    void RegDeleteKey(RegRoot root, const std::wstring& path) override;
    void RegFlushKey(RegKeyHandle key) override;
    void RegCloseKey(RegKeyHandle key) override;
    void ShellExecute(const std::wstring& verb, const std::wstring& file, const std::wstring& parameters,
                      const std::wstring& directory, int showCommand) override;
    std::uint32_t GetVersionMajor() override;

private:
    struct StoredValue {
        std::wstring name;
        std::wstring text;
        bool textType = true;
    };
    using RegKey = std::map<std::wstring, StoredValue>;  // by lower-case name
    void EnsureKey(RegRoot root, const std::wstring& path);
    static std::wstring KeyId(RegRoot root, const std::wstring& path);
    static std::wstring Lower(const std::wstring& text);
    void Log(const std::string& entry) { calls.push_back(entry); }
    const FakeWindow* Find(Hwnd window) const;

    std::map<Hwnd, FakeWindow> windows_;
    Hwnd nextHwnd_ = 0x10010;
    std::vector<ProcessEntry> processes_;
    std::map<SnapshotHandle, std::pair<std::vector<ProcessEntry>, std::size_t>> snapshots_;
    SnapshotHandle nextSnapshot_ = 0x100;
    std::map<std::wstring, RegKey> registry_;  // by lower-case "root\\path"
    std::map<RegKeyHandle, std::wstring> openKeys_;
    RegKeyHandle nextKey_ = 0x200;
};

}  // namespace lumvale::fake
