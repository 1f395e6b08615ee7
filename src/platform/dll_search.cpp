#include "platform/dll_search.h"

namespace lumvale {
namespace {

// What shell32 loads on demand for Shell_NotifyIcon and for ShellExecute of
// a web or mail address on Windows 2000 to 7 (the compatibility check, the
// address handling and its COM, the themes, the shell's link and share
// lookups), none of them a DLL that the system always takes from its folder.
constexpr const wchar_t* kShellDemandLoads[] = {
    L"apphelp.dll", L"shdocvw.dll", L"urlmon.dll", L"ole32.dll",  L"oleaut32.dll",
    L"uxtheme.dll", L"linkinfo.dll", L"ntshrui.dll", L"version.dll", L"comctl32.dll",
};

}  // namespace

std::uint32_t FullPathLoadFlags(bool searchRestricted) {
    return searchRestricted ? kLoadSearchSystem32 : kLoadWithAlteredSearchPath;
}

void RestrictDllSearch(Platform& platform) {
    platform.SetDllDirectory(L"");
    if (platform.SetDefaultDllDirectories(kLoadSearchSystem32)) return;
    // The program's folder still comes first in the search.
    const std::wstring folder = platform.GetSystemDirectory();
    if (folder.empty()) return;
    for (const wchar_t* module : kShellDemandLoads)
        platform.LoadLibraryEx(folder + L"\\" + module, FullPathLoadFlags(false));
}

}  // namespace lumvale
