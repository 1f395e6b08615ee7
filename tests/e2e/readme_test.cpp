// The README.txt of the x64 zip, which the release test unpacks into packed/,
// as Windows users open it: Notepad shows its Chinese first line whole.
#include "driver.h"

#include <cwchar>

namespace e2e {

TEST(Readme, NotepadShowsThePackedReadmeOpeningWithItsChineseLine) {
    wchar_t chinese[1024] = {};  // the first line of packaging/README.txt
    if (FILE* in = _wfopen((ExeDirectory() + L"\\..\\..\\packaging\\README.txt").c_str(), L"r, ccs=UTF-8")) {
        std::fgetws(chinese, 1024, in);
        std::fclose(in);
    }
    ASSERT_NE(std::wcschr(chinese, L'\n'), nullptr) << "packaging/README.txt not read";
    *std::wcschr(chinese, L'\n') = L'\0';
    Process notepad(L"notepad.exe \"" + ExeDirectory() + L"\\packed\\README.txt\"");
    const HWND window = notepad.Await(L"Notepad", 15000);
    ASSERT_NE(window, nullptr) << "no Notepad window";
    const std::wstring shown = TextOf(Child(window, L"Edit"));
    EXPECT_EQ(shown.substr(0, shown.find(L"\r\n")), chinese);
    Screenshot(L"readme");
}

}  // namespace e2e
