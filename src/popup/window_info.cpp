#include "popup/window_info.h"

#include <algorithm>
#include <cwctype>
#include <iterator>

#include "platform/scoped.h"

namespace lumvale {
namespace {

// The shell's surfaces by their class, and the hidden windows of Lumvale.
constexpr const wchar_t* kNeverTargetClasses[] = {
    L"Progman", L"WorkerW", L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd",  // the desktop and the taskbars
    L"NotifyIconOverflowWindow", L"TopLevelWindowForOverflowXamlIsland",  // the hidden icons
    L"DV2ControlHost", L"TaskListThumbnailWnd",  // the Start menu and jump lists of Windows 7, thumbnails
    L"MultitaskingViewFrame", L"XamlExplorerHostIslandWindow",  // task view and Alt+Tab
    L"LumvaleMain", L"LumvalePopup",
    L"#32768"};  // a menu, which can be the window in front under Wine
// The shell's hosts of Windows 10 and 11 that show Start, search, the
// notification centre and the flyouts in a top-level CoreWindow.
constexpr const wchar_t* kShellHosts[] = {L"startmenuexperiencehost.exe", L"shellexperiencehost.exe",
                                          L"searchhost.exe", L"searchapp.exe", L"searchui.exe"};

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return text;
}

}  // namespace

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

bool WindowInfo::IsNeverATarget(Hwnd window) {
    if (window != 0 && window == platform_.GetShellWindow()) return true;
    const std::wstring className = platform_.GetClassName(window, kTextBufferChars);
    for (const wchar_t* surface : kNeverTargetClasses)
        if (className == surface) return true;
    // An app's content window is a child of its frame; the shell's own are top-level.
    if (className != L"Windows.UI.Core.CoreWindow" || platform_.GetParent(window) != 0) return false;
    const std::wstring exe = Lower(ExeNameOfProcess(window));
    return std::any_of(std::begin(kShellHosts), std::end(kShellHosts), [&](const wchar_t* host) { return exe == host; });
}

bool WindowInfo::RunsWithMoreRights(Hwnd window) {
    if (!ownIntegrity_) ownIntegrity_ = platform_.GetIntegrityLevel(0);
    if (!*ownIntegrity_) return false;  // a system without integrity levels
    std::uint32_t processId = 0;
    platform_.GetWindowThreadProcessId(window, &processId);
    // No window in front (the secure desktop shows), or none that names its
    // process: process 0 would read as this one.
    if (processId == 0) return true;
    const std::optional<std::uint32_t> theirs = platform_.GetIntegrityLevel(processId);
    return !theirs || *theirs > **ownIntegrity_;
}

}  // namespace lumvale
