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

void FakePlatform::AddProcess(std::uint32_t processId, const std::wstring& exeFile) {
    ProcessEntry entry;
    entry.processId = processId;
    std::copy_n(exeFile.begin(), std::min(exeFile.size(), entry.exeFile.size()), entry.exeFile.begin());
    processes_.push_back(entry);
}

void FakePlatform::SetWindowLongExStyle(Hwnd window, std::int32_t exStyle) {
    FakeWindow& w = Window(window);
    w.exStyle = exStyle;
    // Windows forgets the attributes when the layered style goes.
    if ((exStyle & kExStyleLayered) == 0) w.attributes.reset();
}

bool FakePlatform::SetLayeredWindowAttributes(Hwnd window, const LayeredAttributes& attributes) {
    FakeWindow* w = Find(window);
    if (!w || failSetLayeredAttributes || (w->exStyle & kExStyleLayered) == 0) return false;
    w->attributes = attributes;
    return true;
}

LayeredQuery FakePlatform::GetLayeredWindowAttributes(Hwnd window, LayeredAttributes& attributes) {
    if (windows2000) return LayeredQuery::Unsupported;
    if (!Find(window) || !Find(window)->attributes) return LayeredQuery::Failed;
    attributes = *Find(window)->attributes;
    return LayeredQuery::Ok;
}

Hwnd FakePlatform::FindWindow(const std::wstring& className, const std::wstring&) {
    for (const auto& [handle, w] : windows_)
        if (w.className == className) return handle;
    return 0;
}

SnapshotHandle FakePlatform::CreateToolhelp32Snapshot() {
    ++snapshots;
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
    if (open == openKeys_.end() || (writing && readOnlyRoots.count(open->second.second))) return nullptr;
    const auto found = registry_.find(open->second.first);
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
    return RegOpenKey(root, path);
}

RegQueryResult FakePlatform::RegQueryValueEx(RegKeyHandle key, const std::wstring& name, std::wstring& text,
                                             std::uint32_t bufferBytes) {
    ++reads;
    const auto* values = Key(key, false);
    if (!values || !values->count(Lower(name))) return RegQueryResult::NotFound;
    text = values->at(Lower(name));
    if (bufferBytes == 0 || (text.size() + 1) * 2 <= bufferBytes) return RegQueryResult::Ok;
    text.resize(bufferBytes / 2 - 1);
    return RegQueryResult::MoreData;
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
    if (!readOnlyRoots.count(root) && !hasSubkeys && registry_.erase(id)) changed_ = true;
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
