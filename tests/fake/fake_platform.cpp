#include "fake/fake_platform.h"

#include <algorithm>
#include <cwctype>

namespace lumvale::fake {

Hwnd FakePlatform::AddWindow(FakeWindow window) {
    const Hwnd handle = nextHwnd_;
    nextHwnd_ += 4;
    windows_[handle] = std::move(window);
    return handle;
}

void FakePlatform::AddProcess(std::uint32_t processId, const std::wstring& exeFile) {
    ProcessEntry entry;
    entry.processId = processId;
    std::copy_n(exeFile.begin(), std::min<std::size_t>(exeFile.size(), 259), entry.exeFile.begin());
    processes_.push_back(entry);
}

void FakePlatform::AddProcessWithoutTerminator(std::uint32_t processId, wchar_t fill) {
    ProcessEntry entry;
    entry.processId = processId;
    entry.exeFile.fill(fill);
    processes_.push_back(entry);
}

void FakePlatform::RemoveProcess(std::uint32_t processId) {
    processes_.erase(std::remove_if(processes_.begin(), processes_.end(),
                                    [&](const ProcessEntry& e) { return e.processId == processId; }),
                     processes_.end());
}

int FakePlatform::CountCalls(const std::string& prefix) const {
    return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const std::string& c) {
        return c.compare(0, prefix.size(), prefix) == 0;
    }));
}

const FakeWindow* FakePlatform::Find(Hwnd window) const {
    auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : &it->second;
}

std::int16_t FakePlatform::GetAsyncKeyState(int virtualKey) {
    Log("GetAsyncKeyState(" + std::to_string(virtualKey) + ")");
    return pressedKeys.count(virtualKey) ? static_cast<std::int16_t>(0x8000) : 0;
}

Point FakePlatform::GetCursorPos() {
    Log("GetCursorPos");
    return cursor;
}

Hwnd FakePlatform::GetForegroundWindow() {
    Log("GetForegroundWindow");
    return foreground;
}

std::int32_t FakePlatform::GetWindowLongExStyle(Hwnd window) {
    Log("GetWindowLong");
    const FakeWindow* w = Find(window);
    return w ? w->exStyle : 0;
}

void FakePlatform::SetWindowLongExStyle(Hwnd window, std::int32_t exStyle) {
    Log("SetWindowLong");
    auto it = windows_.find(window);
    if (it == windows_.end()) return;
    it->second.exStyle = exStyle;
    // Windows forgets the alpha when the layered style goes.
    if ((exStyle & kExStyleLayered) == 0) it->second.alpha.reset();
}

bool FakePlatform::SetLayeredWindowAttributes(Hwnd window, std::uint8_t alpha) {
    Log("SetLayeredWindowAttributes(" + std::to_string(alpha) + ")");
    auto it = windows_.find(window);
    if (it == windows_.end() || failSetLayeredAttributes) return false;
    if ((it->second.exStyle & kExStyleLayered) == 0) return false;
    it->second.alpha = alpha;
    return true;
}

void FakePlatform::RedrawWindowScreen(int width, int height) {
    Log("RedrawWindow(" + std::to_string(width) + "," + std::to_string(height) + ")");
}

Hwnd FakePlatform::FindWindow(const std::wstring& className, const std::wstring& title) {
    Log("FindWindow");
    for (const auto& [handle, w] : windows_)
        if (w.className == className && (title.empty() || w.title == title)) return handle;
    return 0;
}

Hwnd FakePlatform::GetParent(Hwnd window) {
    Log("GetParent");
    const FakeWindow* w = Find(window);
    return w ? w->parent : 0;
}

std::wstring FakePlatform::GetClassName(Hwnd window, int bufferChars) {
    Log("GetClassName");
    const FakeWindow* w = Find(window);
    if (!w || bufferChars <= 0) return {};
    return w->className.substr(0, static_cast<std::size_t>(bufferChars - 1));
}

std::wstring FakePlatform::GetWindowText(Hwnd window, int bufferChars) {
    Log("GetWindowText");
    const FakeWindow* w = Find(window);
    if (!w || bufferChars <= 0) return {};
    return w->title.substr(0, static_cast<std::size_t>(bufferChars - 1));
}

std::uint32_t FakePlatform::GetWindowThreadProcessId(Hwnd window, std::uint32_t* processId) {
    Log("GetWindowThreadProcessId");
    const FakeWindow* w = Find(window);
    if (processId) *processId = w ? w->processId : 0;
    return w ? w->threadId : 0;
}

void FakePlatform::SetWindowPosZOrder(Hwnd window, Hwnd insertAfter) {
    Log("SetWindowPos(" + std::to_string(insertAfter) + ")");
    auto it = windows_.find(window);
    if (it == windows_.end()) return;
    if (insertAfter == kHwndTopmost) it->second.topmost = true;
    if (insertAfter == kHwndNotTopmost) it->second.topmost = false;
}

void FakePlatform::ProcessPendingMessages() {
    Log("ProcessPendingMessages");
    if (onPendingMessages) onPendingMessages();
}

SnapshotHandle FakePlatform::CreateToolhelp32Snapshot() {
    Log("CreateToolhelp32Snapshot");
    if (failSnapshot) return kInvalidSnapshot;
    ++snapshotsTaken;
    ++openSnapshots;
    const SnapshotHandle handle = nextSnapshot_++;
    snapshots_[handle] = {processes_, 0};
    return handle;
}

bool FakePlatform::Process32First(SnapshotHandle snapshot, ProcessEntry& entry) {
    auto it = snapshots_.find(snapshot);
    if (it == snapshots_.end() || it->second.first.empty()) return false;
    it->second.second = 1;
    entry = it->second.first[0];
    return true;
}

bool FakePlatform::Process32Next(SnapshotHandle snapshot, ProcessEntry& entry) {
    auto it = snapshots_.find(snapshot);
    if (it == snapshots_.end() || it->second.second >= it->second.first.size()) return false;
    entry = it->second.first[it->second.second++];
    return true;
}

void FakePlatform::CloseHandle(SnapshotHandle snapshot) {
    Log("CloseHandle");
    if (snapshots_.erase(snapshot)) --openSnapshots;
}

void FakePlatform::Beep(std::uint32_t frequency, std::uint32_t durationMs) {
    Log("Beep");
    beeps.emplace_back(frequency, durationMs);
}

std::wstring FakePlatform::Lower(const std::wstring& text) {
    std::wstring out = text;
    for (auto& c : out) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return out;
}

std::wstring FakePlatform::KeyId(RegRoot root, const std::wstring& path) {
    return Lower((root == RegRoot::CurrentUser ? L"HKCU\\" : L"HKLM\\") + path);
}

RegKeyHandle FakePlatform::RegOpenKey(RegRoot root, const std::wstring& path) {
    Log("RegOpenKey");
    const auto id = KeyId(root, path);
    if (!registry_.count(id)) return 0;
    openKeys_[nextKey_] = id;
    return nextKey_++;
}

void FakePlatform::EnsureKey(RegRoot root, const std::wstring& path) {
    std::size_t start = 0;
    while (true) {
        const auto end = path.find(L'\\', start);
        registry_[KeyId(root, path.substr(0, end))];
        if (end == std::wstring::npos) break;
        start = end + 1;
    }
}

RegKeyHandle FakePlatform::RegCreateKey(RegRoot root, const std::wstring& path) {
    Log("RegCreateKey");
    EnsureKey(root, path);
    openKeys_[nextKey_] = KeyId(root, path);
    return nextKey_++;
}

RegQueryResult FakePlatform::RegQueryValueEx(RegKeyHandle key, const std::wstring& name,
                                             std::wstring& text, std::uint32_t bufferBytes) {
    Log("RegQueryValueEx");
    ++registryReads;
    auto open = openKeys_.find(key);
    if (open == openKeys_.end()) return RegQueryResult::NotFound;
    auto regKey = registry_.find(open->second);
    if (regKey == registry_.end()) return RegQueryResult::NotFound;
    auto value = regKey->second.find(Lower(name));
    if (value == regKey->second.end() || !value->second.textType) return RegQueryResult::NotFound;
    const std::size_t bytes = (value->second.text.size() + 1) * 2;
    if (bufferBytes != 0 && bytes > bufferBytes) {
        text = value->second.text.substr(0, bufferBytes / 2 - 1);
        return RegQueryResult::MoreData;
    }
    text = value->second.text;
    return RegQueryResult::Ok;
}

void FakePlatform::RegSetValueEx(RegKeyHandle key, const std::wstring& name, const std::wstring& text) {
    Log("RegSetValueEx");
    ++registryWrites;
    auto open = openKeys_.find(key);
    if (open == openKeys_.end()) return;
    registry_[open->second][Lower(name)] = StoredValue{name, text, true};
}

void FakePlatform::RegDeleteValue(RegKeyHandle key, const std::wstring& name) {
    Log("RegDeleteValue");
    auto open = openKeys_.find(key);
    if (open == openKeys_.end()) return;
    auto regKey = registry_.find(open->second);
    if (regKey != registry_.end()) regKey->second.erase(Lower(name));
}

void FakePlatform::RegDeleteKey(RegRoot root, const std::wstring& path) {
    Log("RegDeleteKey");
    const auto id = KeyId(root, path);
    const auto childPrefix = id + L"\\";
    for (const auto& entry : registry_)
        if (entry.first.compare(0, childPrefix.size(), childPrefix) == 0) return;  // has subkeys
    registry_.erase(id);
}

void FakePlatform::RegFlushKey(RegKeyHandle) { Log("RegFlushKey"); }

void FakePlatform::RegCloseKey(RegKeyHandle key) {
    Log("RegCloseKey");
    openKeys_.erase(key);
}

void FakePlatform::ShellExecute(const std::wstring& verb, const std::wstring& file,
                                const std::wstring& parameters, const std::wstring& directory,
                                int showCommand) {
    Log("ShellExecute");
    shellCalls.push_back({verb, file, parameters, directory, showCommand});
}

std::uint32_t FakePlatform::GetVersionMajor() {
    Log("GetVersionEx");
    return versionMajor;
}

void FakePlatform::SetValue(RegRoot root, const std::wstring& path, const std::wstring& name,
                            const std::wstring& text, bool textType) {
    EnsureKey(root, path);
    registry_[KeyId(root, path)][Lower(name)] = StoredValue{name, text, textType};
}

std::optional<std::wstring> FakePlatform::Value(RegRoot root, const std::wstring& path,
                                                const std::wstring& name) const {
    auto regKey = registry_.find(KeyId(root, path));
    if (regKey == registry_.end()) return std::nullopt;
    auto value = regKey->second.find(Lower(name));
    if (value == regKey->second.end()) return std::nullopt;
    return value->second.text;
}

bool FakePlatform::KeyExists(RegRoot root, const std::wstring& path) const {
    return registry_.count(KeyId(root, path)) != 0;
}

std::size_t FakePlatform::ValueCount(RegRoot root, const std::wstring& path) const {
    auto regKey = registry_.find(KeyId(root, path));
    return regKey == registry_.end() ? 0 : regKey->second.size();
}

}  // namespace lumvale::fake
