#pragma once
// DLLs and functions of later systems, looked up at run time: the program
// still starts on Windows 2000, whose DLLs lack them, and nothing is ever
// loaded by a bare name, which would look in the program's own folder first.

#include <windows.h>

#include <string>

#include "platform/dll_search.h"

namespace lumvale {

// The system folder, without a trailing "\"; empty where it cannot be read.
inline std::wstring SystemFolder() {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::wstring(folder, length);
}

// A DLL of the system folder, loaded by its full path unless it is loaded
// already; null where the system has no such DLL. Its own imports come from
// the system folder too (see FullPathLoadFlags).
inline HMODULE SystemDll(const wchar_t* module) {
    const std::wstring folder = SystemFolder();
    if (folder.empty()) return nullptr;
    const std::wstring path = folder + L"\\" + module;
    if (const HMODULE loaded = ::GetModuleHandleW(path.c_str())) return loaded;
    // kernel32 is loaded with every process: asking it for a function loads nothing.
    const bool restricted = ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    return ::LoadLibraryExW(path.c_str(), nullptr, FullPathLoadFlags(restricted));
}

// A function of a system DLL, or null where the system lacks it.
template <typename Function>
Function SystemFunction(const wchar_t* module, const char* name) {
    const HMODULE loaded = SystemDll(module);
    return loaded ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(loaded, name))) : nullptr;
}

}  // namespace lumvale
