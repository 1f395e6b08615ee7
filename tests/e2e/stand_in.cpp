// Stands in for other programs. Handed an address, for the browser and the
// mail program: it notes the address in url-record.txt beside itself. Handed
// a window's handle, for an app of Windows 10 and 11: it draws in a child of
// class Windows.UI.Core.CoreWindow inside that frame, until it is ended.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    wchar_t* end = nullptr;
    const auto frame = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::wcstoll(commandLine, &end, 10)));
    if (end != commandLine && *end == L'\0') {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &::DefWindowProcW;
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1);
        windowClass.lpszClassName = L"Windows.UI.Core.CoreWindow";
        ::RegisterClassW(&windowClass);
        // Handed 0, it shows a top-level one, as the shell's own hosts do.
        ::CreateWindowExW(0, windowClass.lpszClassName, L"", (frame ? WS_CHILD : WS_POPUP) | WS_VISIBLE, frame ? 0 : 100,
                          frame ? 0 : 100, frame ? 160 : 500, frame ? 80 : 400, frame, 0, instance, 0);
        for (MSG message; ::GetMessageW(&message, nullptr, 0, 0) > 0;) ::DispatchMessageW(&message);
        return 0;
    }
    wchar_t path[MAX_PATH] = {};
    const std::wstring exe(path, ::GetModuleFileNameW(nullptr, path, MAX_PATH));
    if (FILE* out = _wfopen((exe.substr(0, exe.find_last_of(L'\\')) + L"\\url-record.txt").c_str(), L"a, ccs=UTF-8")) {
        std::fwprintf(out, L"%ls\n", commandLine);
        std::fclose(out);
    }
    return 0;
}
