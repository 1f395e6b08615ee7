#pragma once
// An in-memory desktop, registry, keyboard and process table behind the platform seam, counting what was asked of it;
// and the unit tests' desktop on it, with the program's store and a window of editor.exe in front.

#include <algorithm>
#include <cwctype>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "glass/glass.h"
#include "glass/refusal_notice.h"
#include "platform/platform.h"
#include "popup/window_info.h"
#include "store/settings.h"
#include "tray/notify_icon.h"

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
    int asked = 0;  // how often it was asked whether it answers
    std::map<std::wstring, std::uintptr_t> props;
};

class FakePlatform : public Platform {
public:
    Hwnd AddWindow(FakeWindow window) {
        windows_[nextHwnd_] = std::move(window);
        return std::exchange(nextHwnd_, nextHwnd_ + 4);
    }
    FakeWindow& Window(Hwnd window) { return windows_.at(window); }
    void AddProcess(std::uint32_t processId, const std::wstring& exeFile) {
        ProcessEntry& entry = processes_.emplace_back(ProcessEntry{processId, {}});
        std::copy_n(exeFile.begin(), std::min(exeFile.size(), entry.exeFile.size()), entry.exeFile.begin());
    }

    Hwnd foreground = 0;
    std::set<int> pressedKeys;
    std::set<int> tappedKeys;  // pressed and released since their last query
    bool windows2000 = false;  // no GetLayeredWindowAttributes
    bool failSetLayeredAttributes = false, failSetWindowPos = false, failSetWindowLong = false;
    std::set<RegRoot> readOnlyRoots;
    // A 32-bit program on 64-bit Windows (its own view of HKLM\Software is the 32-bit copy), or a 64-bit program.
    bool wow64 = false, x64 = false;
    Hwnd shellWindow = 0;
    // The notification area: whether it answers, whether it holds the icon,
    // what it was asked, and the balloons asked for as "title: text".
    bool trayAnswers = true, trayHolds = false;
    std::vector<NotifyIconMessage> trayRequests;
    std::vector<std::wstring> balloons;
    // Raw input: whether the system takes a registration, and which window hears each device.
    bool rawInput = true;
    std::map<RawInputDevice, Hwnd> hearing;
    std::uint32_t now = 100000, lastInput = 0;  // GetTickCount, GetLastInputInfo
    std::map<std::uint32_t, std::uint32_t> integrity;  // by process; 0: this one
    std::function<void()> onDispatch, onRegister;  // what ProcessPendingMessages, RegisterRawInputDevices let in
    void Lock(RegRoot root, const std::wstring& path) { readOnlyKeys_.insert(Id(root, path)); }  // may not be written
    void Unlock() { readOnlyKeys_.clear(); }

    // The registry below a root, e.g. path "Software\\Lumvale\\Wins".
    void SetValue(RegRoot root, const std::wstring& path, const std::wstring& name, const std::wstring& text) {
        const RegKeyHandle key = RegCreateKey(root, path, RegView::Registry64);
        RegSetValueEx(key, name, text);
        RegCloseKey(key);
    }
    std::optional<std::wstring> Value(RegRoot root, const std::wstring& path, const std::wstring& name) const {
        const auto key = registry_.find(Id(root, path));
        if (key == registry_.end() || !key->second.count(Lower(name))) return std::nullopt;
        return key->second.at(Lower(name));
    }
    bool KeyExists(RegRoot root, const std::wstring& path) const { return registry_.count(Id(root, path)) != 0; }

    std::vector<std::pair<std::uint32_t, std::uint32_t>> beeps;
    int reads = 0, redraws = 0, dispatches = 0, snapshots = 0;
    Rect redrawn;
    int OpenHandles() const { return static_cast<int>(openKeys_.size() + snapshotsAt_.size()); }

    std::int16_t GetAsyncKeyState(int key) override {
        return static_cast<std::int16_t>((pressedKeys.count(key) ? 0x8000 : 0) | tappedKeys.erase(key));
    }
    Point GetCursorPos() override { return {}; }
    bool RegisterRawInputDevices(RawInputDevice device, Hwnd target) override {
        if (onRegister) std::exchange(onRegister, nullptr)();
        if (rawInput) hearing[device] = target;
        return rawInput;
    }
    std::uint32_t GetLastInputInfo() override { return lastInput; }
    std::uint32_t GetTickCount() override { return now; }
    Hwnd GetForegroundWindow() override { return foreground; }
    std::int32_t GetWindowLongExStyle(Hwnd window) override { return Find(window) ? Find(window)->exStyle : 0; }
    void SetWindowLongExStyle(Hwnd window, std::int32_t exStyle) override {
        if (failSetWindowLong) return;
        Window(window).exStyle = exStyle;
        // Windows forgets the attributes when the layered style goes.
        if ((exStyle & kExStyleLayered) == 0) Window(window).attributes.reset();
    }
    bool SetLayeredWindowAttributes(Hwnd window, const LayeredAttributes& attributes) override {
        const bool takes = Find(window) && !failSetLayeredAttributes && (Find(window)->exStyle & kExStyleLayered);
        if (takes) Window(window).attributes = attributes;
        return takes;
    }
    LayeredQuery GetLayeredWindowAttributes(Hwnd window, LayeredAttributes& attributes) override {
        if (windows2000) return LayeredQuery::Unsupported;
        if (!Find(window) || !Find(window)->attributes) return LayeredQuery::Failed;
        attributes = *Find(window)->attributes;
        return LayeredQuery::Ok;
    }
    bool SendMessageTimeout(Hwnd window, unsigned) override {
        return Find(window) && ++Find(window)->asked && !Find(window)->hung;
    }
    std::uintptr_t GetProp(Hwnd window, const wchar_t* name) override {
        return Find(window) && Find(window)->props.count(name) ? Find(window)->props.at(name) : 0;
    }
    void SetProp(Hwnd window, const wchar_t* name, std::uintptr_t value) override { Window(window).props[name] = value; }
    void RemoveProp(Hwnd window, const wchar_t* name) override { Window(window).props.erase(name); }
    void RedrawWindowScreen(const Rect& area) override { ++redraws; redrawn = area; }
    Rect GetVirtualScreen() override { return {-1280, -200, 1024, 824}; }  // a monitor left of the primary
    Hwnd FindWindowEx(Hwnd parent, Hwnd after, const std::wstring& className) override {
        for (auto w = windows_.upper_bound(after); w != windows_.end(); ++w)
            if (w->second.parent == parent && w->second.className == className) return w->first;
        return 0;
    }
    Hwnd GetShellWindow() override { return shellWindow; }
    std::vector<Hwnd> EnumWindows() override {
        std::vector<Hwnd> all;
        for (const auto& [window, w] : windows_)
            if (w.parent == 0) all.push_back(window);
        return all;
    }
    Hwnd WindowFromPoint(Point) override { return 0; }
    Hwnd GetParent(Hwnd window) override { return Find(window) ? Find(window)->parent : 0; }
    std::wstring GetClassName(Hwnd w, int chars) override { return Find(w) ? Find(w)->className.substr(0, chars - 1) : L""; }
    std::wstring GetWindowText(Hwnd w, int chars) override { return Find(w) ? Find(w)->title.substr(0, chars - 1) : L""; }
    std::uint32_t GetWindowThreadProcessId(Hwnd window, std::uint32_t* processId) override {
        *processId = Find(window) ? Find(window)->processId : 0;
        return Find(window) ? Find(window)->threadId : 0;
    }
    bool SetWindowPosZOrder(Hwnd window, Hwnd after, ZOrderMove) override {
        std::int32_t& style = Window(window).exStyle;
        if (!failSetWindowPos) style = after == kHwndTopmost ? style | kExStyleTopmost : style & ~kExStyleTopmost;
        return !failSetWindowPos;
    }
    void ProcessPendingMessages() override {
        ++dispatches;
        if (onDispatch) std::exchange(onDispatch, nullptr)();
    }
    SnapshotHandle CreateToolhelp32Snapshot() override {
        ++snapshots;
        snapshotsAt_[nextSnapshot_] = 0;
        return nextSnapshot_++;
    }
    bool Process32First(SnapshotHandle snapshot, ProcessEntry& entry) override {
        snapshotsAt_[snapshot] = 0;
        return Process32Next(snapshot, entry);
    }
    bool Process32Next(SnapshotHandle snapshot, ProcessEntry& entry) override {
        std::size_t& at = snapshotsAt_[snapshot];
        if (at >= processes_.size()) return false;
        entry = processes_[at++];
        return true;
    }
    void CloseHandle(SnapshotHandle snapshot) override { snapshotsAt_.erase(snapshot); }
    void Beep(std::uint32_t frequency, std::uint32_t durationMs) override { beeps.emplace_back(frequency, durationMs); }
    RegKeyHandle RegOpenKey(RegRoot root, const std::wstring& path, RegView view) override {
        const std::wstring id = Id(root, Viewed(root, path, view));
        if (!registry_.count(id)) return 0;
        openKeys_[nextKey_] = {id, root};
        return nextKey_++;
    }
    RegKeyHandle RegCreateKey(RegRoot root, const std::wstring& path, RegView view) override {
        // Opening for writing is what an account without the right is refused.
        if (readOnlyRoots.count(root)) return 0;
        const std::wstring viewed = Viewed(root, path, view);
        for (std::size_t end = viewed.find(L'\\'); end != std::wstring::npos; end = viewed.find(L'\\', end + 1))
            registry_[Id(root, viewed.substr(0, end))];
        registry_[Id(root, viewed)];
        return RegOpenKey(root, viewed, RegView::Registry64);
    }
    RegQueryResult RegQueryValueEx(RegKeyHandle key, const std::wstring& name, std::wstring& text,
                                   std::uint32_t bufferBytes) override {
        ++reads;
        const auto* values = Key(key, false);
        if (!values || !values->count(Lower(name)) || Binary(values->at(Lower(name)))) return RegQueryResult::NotFound;
        text = values->at(Lower(name));
        if (bufferBytes == 0 || (text.size() + 1) * 2 <= bufferBytes) return RegQueryResult::Ok;
        text.resize(bufferBytes / 2 - 1);
        return RegQueryResult::MoreData;
    }
    bool RegSetValueEx(RegKeyHandle key, const std::wstring& name, const std::wstring& text) override {
        auto* values = Key(key, true);
        if (values) (*values)[Lower(name)] = text;
        return values && (changed_ = true);
    }
    // A REG_BINARY value is kept as its first byte behind a mark.
    std::optional<std::uint8_t> RegQueryBinaryValue(RegKeyHandle key, const std::wstring& name) override {
        const auto* values = Key(key, false);
        if (!values || !values->count(Lower(name)) || !Binary(values->at(Lower(name)))) return std::nullopt;
        return static_cast<std::uint8_t>(values->at(Lower(name))[1]);
    }
    void SetBinary(RegRoot root, const std::wstring& path, const std::wstring& name, std::uint8_t first) {
        SetValue(root, path, name, std::wstring{kBinaryMark, static_cast<wchar_t>(first)});
    }
    void RegDeleteValue(RegKeyHandle key, const std::wstring& name) override {
        if (auto* values = Key(key, true); values && values->erase(Lower(name))) changed_ = true;
    }
    void RegDeleteKey(RegRoot root, const std::wstring& path) override {
        if (!readOnlyRoots.count(root) && registry_.erase(Id(root, path))) changed_ = true;
    }
    void RegFlushKey(RegKeyHandle) override {}
    void RegCloseKey(RegKeyHandle key) override { openKeys_.erase(key); }
    void RegNotifyChangeKeyValue(const std::wstring&) override { watching_ = true; }
    bool RegChangeNotified() override { return !watching_ || std::exchange(changed_, false); }
    bool ShellNotifyIcon(NotifyIconMessage message, const NotifyIconData& data) override {
        trayRequests.push_back(message);
        if (!data.info.empty()) balloons.push_back(data.infoTitle + L": " + data.info);
        if (!trayAnswers) return false;
        const bool add = message == NotifyIconMessage::Add, held = trayHolds;
        trayHolds = add || (held && message == NotifyIconMessage::Modify);
        return add ? !held : held;
    }
    void ShellExecute(const std::wstring&, const std::wstring&, const std::wstring&, const std::wstring&,
                      int) override {}
    std::optional<std::uint32_t> GetIntegrityLevel(std::uint32_t processId) override {
        return integrity.count(processId) ? std::optional<std::uint32_t>(integrity.at(processId)) : std::nullopt;
    }
    bool filterEx = true;  // ChangeWindowMessageFilterEx exists (7 and later)
    std::vector<std::pair<Hwnd, std::uint32_t>> letThrough;  // window 0: the whole process
    bool ChangeWindowMessageFilterEx(Hwnd window, std::uint32_t message) override {
        if (filterEx) letThrough.emplace_back(window, message);
        return filterEx;
    }
    bool ChangeWindowMessageFilter(std::uint32_t message) override {
        letThrough.emplace_back(0, message);
        return true;
    }
    std::uint32_t GetVersionMajor() override { return 5; }
    bool Is64BitWindows() override { return wow64 || x64; }
    bool SetDefaultDllDirectories(std::uint32_t) override { return true; }
    void SetDllDirectory(const std::wstring&) override {}
    void LoadLibraryEx(const std::wstring&, std::uint32_t) override {}
    std::wstring GetSystemDirectory() override { return L"C:\\Windows\\system32"; }

private:
    static constexpr wchar_t kBinaryMark = L'\x1';
    static bool Binary(const std::wstring& value) { return !value.empty() && value[0] == kBinaryMark; }
    static std::wstring Lower(std::wstring text) {
        for (auto& c : text) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
        return text;
    }
    std::wstring Viewed(RegRoot root, const std::wstring& path, RegView view) const {
        const std::wstring software = L"Software\\";
        const bool copy32 = view == RegView::Registry32 || (view == RegView::Own && wow64);
        if (!copy32 || root != RegRoot::LocalMachine || path.rfind(software, 0) != 0) return path;
        return software + L"Wow6432Node\\" + path.substr(software.size());
    }
    static std::wstring Id(RegRoot root, const std::wstring& path) {
        return Lower((root == RegRoot::CurrentUser ? L"HKCU\\" : L"HKLM\\") + path);
    }
    FakeWindow* Find(Hwnd window) { return windows_.count(window) ? &windows_.at(window) : nullptr; }
    std::map<std::wstring, std::wstring>* Key(RegKeyHandle key, bool writing) {
        const auto open = openKeys_.find(key);
        if (open == openKeys_.end()) return nullptr;
        if (writing && (readOnlyRoots.count(open->second.second) || readOnlyKeys_.count(open->second.first))) return nullptr;
        const auto found = registry_.find(open->second.first);
        return found == registry_.end() ? nullptr : &found->second;
    }

    std::map<Hwnd, FakeWindow> windows_;
    Hwnd nextHwnd_ = 0x10010;
    std::vector<ProcessEntry> processes_;
    std::map<SnapshotHandle, std::size_t> snapshotsAt_;  // the next entry of each open snapshot
    SnapshotHandle nextSnapshot_ = 0x100;
    std::map<std::wstring, std::map<std::wstring, std::wstring>> registry_;  // lower-case ids and names
    std::set<std::wstring> readOnlyKeys_;
    std::map<RegKeyHandle, std::pair<std::wstring, RegRoot>> openKeys_;
    RegKeyHandle nextKey_ = 0x200;
    bool watching_ = false;
    bool changed_ = true;
};

}  // namespace lumvale::fake

namespace lumvale::testing {

inline const std::wstring kSettingsPath = kApplicationKey + L"\\" + store_names::kSettings;
inline const std::wstring kWinsPath = kApplicationKey + L"\\Wins";
inline const std::wstring kTempPath = kApplicationKey + L"\\Temp";

class Desktop : public ::testing::Test, public PopupCloser {
protected:
    Desktop() {
        fake.AddProcess(100, L"editor.exe");
        editor = fake.AddWindow({L"EditorMain", L"notes.txt", 0, 100, 101});
        fake.foreground = editor;
        Store(store_names::kBeep, L"0");
        glass.SetPopupCloser(this);
    }
    void ClosePopup() override { ++popupCloses; }

    void Store(const std::wstring& key, const std::wstring& text) { SetRecord(store_names::kSettings, key, text); }
    std::optional<std::wstring> Record(const std::wstring& section, const std::wstring& name) {
        return fake.Value(RegRoot::CurrentUser, kApplicationKey + L"\\" + section, name);
    }
    void SetRecord(const std::wstring& section, const std::wstring& name, const std::wstring& text) {
        fake.SetValue(RegRoot::CurrentUser, kApplicationKey + L"\\" + section, name, text);
    }
    // The alpha a window shows: 255 when it is not layered.
    int AlphaOf(Hwnd window) {
        const auto& w = fake.Window(window);
        return (w.exStyle & kExStyleLayered) == 0 ? 255 : w.attributes ? w.attributes->alpha : -1;
    }

    fake::FakePlatform fake;
    SettingsStore store{fake};
    Settings settings{false, false, 1, 6};
    Glass glass{fake, store};
    WindowInfo windows{fake};
    NotifyIcon icon{fake};
    RefusalNotice notice{fake, icon};
    Hwnd editor = 0;
    int popupCloses = 0;
};

}  // namespace lumvale::testing
