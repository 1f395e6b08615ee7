#include "popup/window_info.h"

#include <algorithm>

#include "platform/scoped.h"

namespace lumvale {

const std::wstring* ExeNameCache::Find(Hwnd window, std::uint32_t processId,
                                       std::uint32_t threadId) const {
    for (const auto& entry : entries_)
        if (entry.window == window && entry.processId == processId && entry.threadId == threadId)
            return &entry.name;
    return nullptr;
}

void ExeNameCache::Store(Hwnd window, std::uint32_t processId, std::uint32_t threadId,
                         const std::wstring& name) {
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [&](const Entry& e) { return e.window == window; }),
                   entries_.end());
    if (entries_.size() >= kCapacity) entries_.erase(entries_.begin());
    entries_.push_back({window, processId, threadId, name});
}

Hwnd WindowInfo::TopLevelWindow(Hwnd window) {
    // Windows keeps parent and owner chains free of cycles; the bound only
    // guards against a broken answer.
    Hwnd current = window;
    for (int depth = 0; depth < 1000; ++depth) {
        const Hwnd parent = platform_.GetParent(current);
        if (parent == 0) break;
        current = parent;
    }
    return current;
}

std::wstring WindowInfo::WindowClass(Hwnd window) {
    return platform_.GetClassName(TopLevelWindow(window), kTextBufferChars);
}

std::wstring WindowInfo::WindowTitle(Hwnd window) {
    return platform_.GetWindowText(TopLevelWindow(window), kTextBufferChars);
}

std::wstring WindowInfo::ExeNameFromSnapshot(std::uint32_t processId) {
    ScopedSnapshot snapshot(platform_, platform_.CreateToolhelp32Snapshot());
    if (!snapshot) return {};
    ProcessEntry entry;
    for (bool more = platform_.Process32First(snapshot.get(), entry); more;
         more = platform_.Process32Next(snapshot.get(), entry)) {
        if (entry.processId != processId) continue;
        const auto end = std::find(entry.exeFile.begin(), entry.exeFile.end(), L'\0');
        if (end == entry.exeFile.end()) return {};  // no terminator: not a name
        return std::wstring(entry.exeFile.begin(), end);
    }
    return {};
}

std::wstring WindowInfo::ExeName(Hwnd window) {
    std::uint32_t processId = 0;
    const std::uint32_t threadId = platform_.GetWindowThreadProcessId(window, &processId);
    if (threadId == 0 || processId == 0) return {};
    if (cacheExeNames_) {
        if (const std::wstring* cached = cache_.Find(window, processId, threadId)) return *cached;
    }
    std::wstring name = ExeNameFromSnapshot(processId);
    // A process that was not found is asked for again next time.
    if (cacheExeNames_ && !name.empty()) cache_.Store(window, processId, threadId, name);
    return name;
}

std::wstring WindowInfo::WindowIdentity(Hwnd window) {
    std::wstring identity = ExeName(window);
    identity += WindowClass(window);
    return identity;
}

}  // namespace lumvale
