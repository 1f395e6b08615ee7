#pragma once
// DLLs and functions of later systems, looked up at run time: the program
// still starts on Windows 2000, whose DLLs lack them, and nothing is ever
// loaded by a bare name, which would look in the program's own folder first.

#include <windows.h>

#include <string>

namespace lumvale {

// The full path of a DLL in the system folder.
inline std::wstring SystemDllPath(const wchar_t* module) {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::wstring(folder, length) + L"\\" + module;
}

// A DLL of the system folder, loaded by its full path unless it is loaded
// already; null where the system has no such DLL.
inline HMODULE SystemDll(const wchar_t* module) {
    const std::wstring path = SystemDllPath(module);
    if (path.empty()) return nullptr;
    const HMODULE loaded = ::GetModuleHandleW(path.c_str());
    return loaded ? loaded : ::LoadLibraryW(path.c_str());
}

// A function of a system DLL, or null where the system lacks it.
template <typename Function>
Function SystemFunction(const wchar_t* module, const char* name) {
    const HMODULE loaded = SystemDll(module);
    return loaded ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(loaded, name))) : nullptr;
}

}  // namespace lumvale
