#pragma once
// An in-memory desktop, registry, keyboard and process table behind the
// platform seam, counting what was asked of it.

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
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
    std::optional<LayeredAttributes> attributes;  // set by SetLayeredWindowAttributes
    bool hung = false;
    bool topmost = false;
    std::map<std::wstring, std::uintptr_t> props;
};

class FakePlatform : public Platform {
public:
    Hwnd AddWindow(FakeWindow window) {
        windows_[nextHwnd_] = std::move(window);
        return std::exchange(nextHwnd_, nextHwnd_ + 4);
    }
    FakeWindow& Window(Hwnd window) { return windows_.at(window); }
    void AddProcess(std::uint32_t processId, const std::wstring& exeFile);

    Hwnd foreground = 0;
    std::set<int> pressedKeys;
    bool windows2000 = false;  // no GetLayeredWindowAttributes
    bool failSetLayeredAttributes = false;
    std::set<RegRoot> readOnlyRoots;

    // The registry below a root, e.g. path "Software\\Lumvale\\Wins".
    void SetValue(RegRoot root, const std::wstring& path, const std::wstring& name, const std::wstring& text);
    std::optional<std::wstring> Value(RegRoot root, const std::wstring& path, const std::wstring& name) const;
    bool KeyExists(RegRoot root, const std::wstring& path) const { return registry_.count(Id(root, path)) != 0; }

    std::vector<int> keysQueried;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> beeps;
    int reads = 0, redraws = 0, dispatches = 0, snapshots = 0;
    int OpenHandles() const { return static_cast<int>(openKeys_.size() + snapshotsAt_.size()); }

    std::int16_t GetAsyncKeyState(int key) override {
        keysQueried.push_back(key);
        return pressedKeys.count(key) ? static_cast<std::int16_t>(0x8000) : 0;
    }
    Point GetCursorPos() override { return {}; }
    Hwnd GetForegroundWindow() override { return foreground; }
    std::int32_t GetWindowLongExStyle(Hwnd window) override { return Find(window) ? Find(window)->exStyle : 0; }
    void SetWindowLongExStyle(Hwnd window, std::int32_t exStyle) override;
    bool SetLayeredWindowAttributes(Hwnd window, const LayeredAttributes& attributes) override;
    LayeredQuery GetLayeredWindowAttributes(Hwnd window, LayeredAttributes& attributes) override;
    bool SendMessageTimeout(Hwnd window, unsigned) override { return Find(window) && !Find(window)->hung; }
    std::uintptr_t GetProp(Hwnd window, const wchar_t* name) override {
        return Find(window) && Find(window)->props.count(name) ? Find(window)->props.at(name) : 0;
    }
    void SetProp(Hwnd window, const wchar_t* name, std::uintptr_t value) override { Window(window).props[name] = value; }
    void RemoveProp(Hwnd window, const wchar_t* name) override { Window(window).props.erase(name); }
    void RedrawWindowScreen(int, int) override { ++redraws; }
    int GetScreenWidth() override { return 1024; }
    int GetScreenHeight() override { return 768; }
    Hwnd FindWindow(const std::wstring& className, const std::wstring&) override;
    Hwnd GetParent(Hwnd window) override { return Find(window) ? Find(window)->parent : 0; }
    std::wstring GetClassName(Hwnd window, int chars) override {
        return Find(window) ? Find(window)->className.substr(0, chars - 1) : L"";
    }
    std::wstring GetWindowText(Hwnd window, int chars) override {
        return Find(window) ? Find(window)->title.substr(0, chars - 1) : L"";
    }
    std::uint32_t GetWindowThreadProcessId(Hwnd window, std::uint32_t* processId) override {
        *processId = Find(window) ? Find(window)->processId : 0;
        return Find(window) ? Find(window)->threadId : 0;
    }
    void SetWindowPosZOrder(Hwnd window, Hwnd after) override { Window(window).topmost = after == kHwndTopmost; }
    void ProcessPendingMessages() override { ++dispatches; }
    SnapshotHandle CreateToolhelp32Snapshot() override;
    bool Process32First(SnapshotHandle snapshot, ProcessEntry& entry) override;
    bool Process32Next(SnapshotHandle snapshot, ProcessEntry& entry) override;
    void CloseHandle(SnapshotHandle snapshot) override { snapshotsAt_.erase(snapshot); }
    void Beep(std::uint32_t frequency, std::uint32_t durationMs) override { beeps.emplace_back(frequency, durationMs); }
    RegKeyHandle RegOpenKey(RegRoot root, const std::wstring& path) override;
    RegKeyHandle RegCreateKey(RegRoot root, const std::wstring& path) override;
    RegQueryResult RegQueryValueEx(RegKeyHandle key, const std::wstring& name, std::wstring& text,
                                   std::uint32_t bufferBytes) override;
    void RegSetValueEx(RegKeyHandle key, const std::wstring& name, const std::wstring& text) override;
    void RegDeleteValue(RegKeyHandle key, const std::wstring& name) override;
    void RegDeleteKey(RegRoot root, const std::wstring& path) override;
    void RegFlushKey(RegKeyHandle) override {}
    void RegCloseKey(RegKeyHandle key) override { openKeys_.erase(key); }
    void RegNotifyChangeKeyValue(const std::wstring&) override { watching_ = true; }
    bool RegChangeNotified() override { return !watching_ || std::exchange(changed_, false); }
    void ShellExecute(const std::wstring&, const std::wstring&, const std::wstring&, const std::wstring&,
                      int) override {}
    std::uint32_t GetVersionMajor() override { return 5; }

private:
    static std::wstring Id(RegRoot root, const std::wstring& path);
    FakeWindow* Find(Hwnd window) { return windows_.count(window) ? &windows_.at(window) : nullptr; }
    std::map<std::wstring, std::wstring>* Key(RegKeyHandle key, bool writing);

    std::map<Hwnd, FakeWindow> windows_;
    Hwnd nextHwnd_ = 0x10010;
    std::vector<ProcessEntry> processes_;
    std::map<SnapshotHandle, std::size_t> snapshotsAt_;  // the next entry of each open snapshot
    SnapshotHandle nextSnapshot_ = 0x100;
    std::map<std::wstring, std::map<std::wstring, std::wstring>> registry_;  // lower-case ids and names
    std::map<RegKeyHandle, std::pair<std::wstring, RegRoot>> openKeys_;
    RegKeyHandle nextKey_ = 0x200;
    bool watching_ = false;
    bool changed_ = true;
};

}  // namespace lumvale::fake
