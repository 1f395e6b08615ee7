#include "popup/window_info.h"

#include <algorithm>

#include "platform/scoped.h"

namespace lumvale {

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

std::wstring WindowInfo::ExeName(Hwnd window) {
    std::uint32_t processId = 0;
    const std::uint32_t threadId = platform_.GetWindowThreadProcessId(window, &processId);
    if (threadId == 0 || processId == 0) return {};
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

std::wstring WindowInfo::WindowIdentity(Hwnd window) {
    std::wstring identity = ExeName(window);
    identity += WindowClass(window);
    return identity;
}

}  // namespace lumvale
