#pragma once
// Functions of later systems, looked up at run time, so that the program
// still starts on Windows 2000, whose DLLs lack them.

#include <windows.h>

namespace lumvale {

// A function of a system DLL, or null where the system lacks it.
template <typename Function>
Function SystemFunction(const wchar_t* module, const char* name) {
    HMODULE loaded = ::GetModuleHandleW(module);
    if (!loaded) loaded = ::LoadLibraryW(module);
    return loaded ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(loaded, name))) : nullptr;
}

}  // namespace lumvale
