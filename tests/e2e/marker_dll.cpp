// A DLL that someone put beside lumvale.exe. Loaded by a call of the running program it leaves "<its path>.loaded"
// and refuses; loaded as the process starts (by the system's own DLLs) it loads. Its function leaves ".called".
#include <windows.h>

namespace {

HINSTANCE self = nullptr;

void Leave(const wchar_t* suffix) {
    wchar_t marker[MAX_PATH + 8] = {};
    ::lstrcatW(marker + ::GetModuleFileNameW(self, marker, MAX_PATH), suffix);
    const HANDLE file = ::CreateFileW(marker, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
}

}  // namespace

extern "C" __declspec(dllexport) HRESULT WINAPI GetDpiForMonitor(HMONITOR, int, UINT*, UINT*) {
    Leave(L".called");
    return E_FAIL;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void* startingProcess) {
    self = instance;
    if (reason != DLL_PROCESS_ATTACH || startingProcess != nullptr) return TRUE;
    Leave(L".loaded");
    return FALSE;
}
