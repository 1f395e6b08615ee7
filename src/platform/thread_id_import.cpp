// GCC 13 and later link a thread layer (libgcc's gthr-win32) into every
// program that can throw, and the layer imports GetThreadId, which Windows
// Server 2003 and Vista have and Windows 2000 and XP lack: an import that the
// system lacks keeps the exe from loading at all. Defined here, the import's
// pointer is the program's own, so the 32-bit exe imports no such function:
// it calls the system's GetThreadId where there is one, and elsewhere reads
// the id where GetThreadId reads it. (The layer asks only to compare two
// threads, which this program never does.)
#include <windows.h>

#include "platform/system_function.h"

namespace {

DWORD WINAPI ThreadIdOf(HANDLE thread) {
    using GetThreadIdFunction = DWORD(WINAPI*)(HANDLE);
    if (const auto system = lumvale::SystemFunction<GetThreadIdFunction>(L"kernel32.dll", "GetThreadId"))
        return system(thread);
    using QueryFunction = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    struct { LONG exitStatus; void* teb; HANDLE process, thread; ULONG_PTR affinity; LONG priority, base; } basic{};
    const auto query = lumvale::SystemFunction<QueryFunction>(L"ntdll.dll", "NtQueryInformationThread");
    return query && query(thread, 0 /* ThreadBasicInformation */, &basic, sizeof(basic), nullptr) >= 0
               ? static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(basic.thread))
               : 0;
}

}  // namespace

// The import's pointer under its own name, which the linker then takes from here.
extern "C" DWORD(WINAPI* const kGetThreadIdImport)(HANDLE) __asm__("__imp__GetThreadId@4") = &ThreadIdOf;
