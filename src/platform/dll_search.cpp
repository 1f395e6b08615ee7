#include "platform/dll_search.h"

#include "platform/system_function.h"

namespace lumvale {
namespace {

// LOAD_LIBRARY_SEARCH_SYSTEM32, which Windows 2000's headers lack.
constexpr DWORD kSearchSystem32 = 0x00000800;

// What shell32 loads on demand for Shell_NotifyIcon and for ShellExecute of
// a web or mail address on Windows 2000 to 7 (the compatibility check, the
// address handling and its COM, the themes, the shell's link and share
// lookups), none of them a DLL that the system always takes from its folder.
constexpr const wchar_t* kShellDemandLoads[] = {
    L"apphelp.dll", L"shdocvw.dll", L"urlmon.dll", L"ole32.dll",  L"oleaut32.dll",
    L"uxtheme.dll", L"linkinfo.dll", L"ntshrui.dll", L"version.dll", L"comctl32.dll",
};

}  // namespace

void RestrictDllSearch() {
    // kernel32 is loaded with every process; asking for it loads nothing.
    const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    using SetDllDirectoryFunction = BOOL(WINAPI*)(LPCWSTR);
    const auto setDefaultDirectories = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        reinterpret_cast<void*>(::GetProcAddress(kernel, "SetDefaultDllDirectories")));
    const auto setDllDirectory = reinterpret_cast<SetDllDirectoryFunction>(
        reinterpret_cast<void*>(::GetProcAddress(kernel, "SetDllDirectoryW")));
    if (setDllDirectory) setDllDirectory(L"");
    if (setDefaultDirectories && setDefaultDirectories(kSearchSystem32)) return;
    // The program's folder still comes first in the search.
    for (const wchar_t* module : kShellDemandLoads) SystemDll(module);
}

void LoadCommonControls() {
    using InitCommonControlsFunction = void(WINAPI*)();
    if (const auto init = SystemFunction<InitCommonControlsFunction>(L"comctl32.dll", "InitCommonControls")) init();
}

}  // namespace lumvale
