// Stands in for the browser and the mail program: appends the address it was
// asked to open to url-record.txt beside itself.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring file(path);
    file = file.substr(0, file.find_last_of(L'\\')) + L"\\url-record.txt";
    if (FILE* out = _wfopen(file.c_str(), L"a, ccs=UTF-8")) {
        std::fputws(commandLine, out);
        std::fputws(L"\n", out);
        std::fclose(out);
    }
    return 0;
}
