// Stands in for the browser and the mail program: notes each address it is
// handed in url-record.txt beside itself.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    wchar_t path[MAX_PATH] = {};
    const std::wstring exe(path, ::GetModuleFileNameW(nullptr, path, MAX_PATH));
    if (FILE* out = _wfopen((exe.substr(0, exe.find_last_of(L'\\')) + L"\\url-record.txt").c_str(), L"a, ccs=UTF-8")) {
        std::fwprintf(out, L"%ls\n", commandLine);
        std::fclose(out);
    }
    return 0;
}
