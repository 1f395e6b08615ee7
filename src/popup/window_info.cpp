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

Hwnd WindowInfo::ProgramWindow(Hwnd window) {
    if (platform_.GetClassName(window, kTextBufferChars) != L"ApplicationFrameWindow") return window;
    return platform_.FindWindowEx(window, 0, L"Windows.UI.Core.CoreWindow");
}

std::wstring WindowInfo::ExeName(Hwnd window) {
    const Hwnd program = ProgramWindow(window);
    return program ? ExeNameOfProcess(program) : std::wstring();
}

std::wstring WindowInfo::ExeNameOfProcess(Hwnd window) {
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
    const Hwnd program = ProgramWindow(window);
    if (program == 0) return {};
    std::wstring identity = ExeNameOfProcess(program);
    identity += WindowClass(window);
    return identity;
}

bool WindowInfo::IsDesktopOrTaskbar(Hwnd window) {
    if (window != 0 && window == platform_.GetShellWindow()) return true;
    const std::wstring className = platform_.GetClassName(window, kTextBufferChars);
    for (const wchar_t* shell : {L"Progman", L"WorkerW", L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd"})
        if (className == shell) return true;
    return false;
}

}  // namespace lumvale
