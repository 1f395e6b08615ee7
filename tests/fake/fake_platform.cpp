#include "fake/fake_platform.h"

#include <algorithm>
#include <cwctype>

namespace lumvale::fake {
namespace {

std::wstring Lower(std::wstring text) {
    for (auto& c : text) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return text;
}

}  // namespace

Hwnd FakePlatform::AddWindow(FakeWindow window) {
    const Hwnd handle = nextHwnd_;
    nextHwnd_ += 4;
    windows_[handle] = std::move(window);
    return handle;
}

void FakePlatform::AddProcess(std::uint32_t processId, const std::wstring& exeFile) {
    ProcessEntry entry;
    entry.processId = processId;
    std::copy_n(exeFile.begin(), std::min<std::size_t>(exeFile.size(), entry.exeFile.size()), entry.exeFile.begin());
    processes_.push_back(entry);
}

FakeWindow* FakePlatform::Find(Hwnd window) {
    const auto found = windows_.find(window);
    return found == windows_.end() ? nullptr : &found->second;
}

std::int16_t FakePlatform::GetAsyncKeyState(int virtualKey) {
    keysQueried.push_back(virtualKey);
    return pressedKeys.count(virtualKey) ? static_cast<std::int16_t>(0x8000) : 0;
}

std::int32_t FakePlatform::GetWindowLongExStyle(Hwnd window) {
    const FakeWindow* w = Find(window);
    return w ? w->exStyle : 0;
}

void FakePlatform::SetWindowLongExStyle(Hwnd window, std::int32_t exStyle) {
    FakeWindow* w = Find(window);
    if (!w) return;
    w->exStyle = exStyle;
    // Windows forgets the attributes when the layered style goes.
    if ((exStyle & kExStyleLayered) == 0) w->attributes.reset();
}

bool FakePlatform::SetLayeredWindowAttributes(Hwnd window, const LayeredAttributes& attributes) {
    FakeWindow* w = Find(window);
    if (!w || failSetLayeredAttributes || (w->exStyle & kExStyleLayered) == 0) return false;
    w->attributes = attributes;
    return true;
}

LayeredQuery FakePlatform::GetLayeredWindowAttributes(Hwnd window, LayeredAttributes& attributes) {
    if (windows2000) return LayeredQuery::Unsupported;
    const FakeWindow* w = Find(window);
    if (!w || !w->attributes) return LayeredQuery::Failed;
    attributes = *w->attributes;
    return LayeredQuery::Ok;
}

bool FakePlatform::SendMessageTimeout(Hwnd window, unsigned) {
    const FakeWindow* w = Find(window);
    return w && !w->hung;
}

std::uintptr_t FakePlatform::GetProp(Hwnd window, const wchar_t* name) {
    const FakeWindow* w = Find(window);
    return w && w->props.count(name) ? w->props.at(name) : 0;
}

void FakePlatform::SetProp(Hwnd window, const wchar_t* name, std::uintptr_t value) {
    if (FakeWindow* w = Find(window)) w->props[name] = value;
}

void FakePlatform::RemoveProp(Hwnd window, const wchar_t* name) {
    if (FakeWindow* w = Find(window)) w->props.erase(name);
}

Hwnd FakePlatform::FindWindow(const std::wstring& className, const std::wstring&) {
    for (const auto& [handle, w] : windows_)
        if (w.className == className) return handle;
    return 0;
}

Hwnd FakePlatform::GetParent(Hwnd window) {
    const FakeWindow* w = Find(window);
    return w ? w->parent : 0;
}

std::wstring FakePlatform::GetClassName(Hwnd window, int bufferChars) {
    const FakeWindow* w = Find(window);
    return w ? w->className.substr(0, static_cast<std::size_t>(bufferChars - 1)) : L"";
}

std::wstring FakePlatform::GetWindowText(Hwnd window, int bufferChars) {
    const FakeWindow* w = Find(window);
    return w ? w->title.substr(0, static_cast<std::size_t>(bufferChars - 1)) : L"";
}

std::uint32_t FakePlatform::GetWindowThreadProcessId(Hwnd window, std::uint32_t* processId) {
    const FakeWindow* w = Find(window);
    *processId = w ? w->processId : 0;
    return w ? w->threadId : 0;
}

void FakePlatform::SetWindowPosZOrder(Hwnd window, Hwnd insertAfter) {
    if (FakeWindow* w = Find(window)) w->topmost = insertAfter == kHwndTopmost;
}

void FakePlatform::ProcessPendingMessages() {
    ++dispatches;
    if (onPendingMessages) onPendingMessages();
}

SnapshotHandle FakePlatform::CreateToolhelp32Snapshot() {
    ++snapshots;
    ++openSnapshots_;
    snapshotsAt_[nextSnapshot_] = 0;
    return nextSnapshot_++;
}

bool FakePlatform::Process32First(SnapshotHandle snapshot, ProcessEntry& entry) {
    snapshotsAt_[snapshot] = 0;
    return Process32Next(snapshot, entry);
}

bool FakePlatform::Process32Next(SnapshotHandle snapshot, ProcessEntry& entry) {
    std::size_t& at = snapshotsAt_[snapshot];
    if (at >= processes_.size()) return false;
    entry = processes_[at++];
    return true;
}

std::wstring FakePlatform::Id(RegRoot root, const std::wstring& path) {
    return Lower((root == RegRoot::CurrentUser ? L"HKCU\\" : L"HKLM\\") + path);
}

std::map<std::wstring, std::wstring>* FakePlatform::Key(RegKeyHandle key, bool writing) {
    const auto open = openKeys_.find(key);
    if (open == openKeys_.end() || (writing && readOnlyRoots.count(open->second.root))) return nullptr;
    const auto found = registry_.find(open->second.id);
    return found == registry_.end() ? nullptr : &found->second;
}

RegKeyHandle FakePlatform::RegOpenKey(RegRoot root, const std::wstring& path) {
    if (!registry_.count(Id(root, path))) return 0;
    openKeys_[nextKey_] = {Id(root, path), root};
    return nextKey_++;
}

RegKeyHandle FakePlatform::RegCreateKey(RegRoot root, const std::wstring& path) {
    // Opening for writing is what an account without the right is refused.
    if (readOnlyRoots.count(root)) return 0;
    for (std::size_t end = path.find(L'\\'); end != std::wstring::npos; end = path.find(L'\\', end + 1))
        registry_[Id(root, path.substr(0, end))];
    registry_[Id(root, path)];
    changed_ = true;
    return RegOpenKey(root, path);
}

RegQueryResult FakePlatform::RegQueryValueEx(RegKeyHandle key, const std::wstring& name, std::wstring& text,
                                             std::uint32_t bufferBytes) {
    ++reads;
    const auto* values = Key(key, false);
    if (!values || !values->count(Lower(name))) return RegQueryResult::NotFound;
    text = values->at(Lower(name));
    if (bufferBytes != 0 && (text.size() + 1) * 2 > bufferBytes) {
        text.resize(bufferBytes / 2 - 1);
        return RegQueryResult::MoreData;
    }
    return RegQueryResult::Ok;
}

void FakePlatform::RegSetValueEx(RegKeyHandle key, const std::wstring& name, const std::wstring& text) {
    if (auto* values = Key(key, true)) {
        (*values)[Lower(name)] = text;
        changed_ = true;
    }
}

void FakePlatform::RegDeleteValue(RegKeyHandle key, const std::wstring& name) {
    if (auto* values = Key(key, true)) {
        values->erase(Lower(name));
        changed_ = true;
    }
}

void FakePlatform::RegDeleteKey(RegRoot root, const std::wstring& path) {
    const std::wstring id = Id(root, path);
    const auto below = registry_.lower_bound(id + L"\\");
    const bool hasSubkeys = below != registry_.end() && below->first.rfind(id + L"\\", 0) == 0;
    if (readOnlyRoots.count(root) || hasSubkeys) return;
    if (registry_.erase(id) != 0) changed_ = true;
}

void FakePlatform::SetValue(RegRoot root, const std::wstring& path, const std::wstring& name,
                            const std::wstring& text) {
    const bool readOnly = readOnlyRoots.erase(root) != 0;
    const RegKeyHandle key = RegCreateKey(root, path);
    RegSetValueEx(key, name, text);
    RegCloseKey(key);
    if (readOnly) readOnlyRoots.insert(root);
}

std::optional<std::wstring> FakePlatform::Value(RegRoot root, const std::wstring& path,
                                                const std::wstring& name) const {
    const auto key = registry_.find(Id(root, path));
    if (key == registry_.end() || !key->second.count(Lower(name))) return std::nullopt;
    return key->second.at(Lower(name));
}

}  // namespace lumvale::fake
