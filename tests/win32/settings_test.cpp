// The machine's Run key through the real registry.
#include <windows.h>

#include <gtest/gtest.h>

#include "settings/startup_entry.h"
#include "platform/win32_handles.h"
#include "platform/win32_platform.h"
#include "win32_test_util.h"

namespace lumvale {
namespace {

const wchar_t kRun[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct RawValue {
    LONG status = ERROR_FILE_NOT_FOUND;
    DWORD type = 0;
    std::vector<BYTE> data;
};

RawValue ReadRaw(const wchar_t* name) {
    RawValue raw;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRun, 0, KEY_READ, &key) != ERROR_SUCCESS) return raw;
    DWORD bytes = 0;
    raw.status = ::RegQueryValueExW(key, name, nullptr, &raw.type, nullptr, &bytes);
    if (raw.status == ERROR_SUCCESS) {
        raw.data.resize(bytes);
        raw.status = ::RegQueryValueExW(key, name, nullptr, &raw.type, raw.data.data(), &bytes);
        raw.data.resize(bytes);
    }
    ::RegCloseKey(key);
    return raw;
}

void WriteRaw(const wchar_t* name, const void* data, DWORD bytes, DWORD type = REG_SZ) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kRun, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), bytes);
    ::RegCloseKey(key);
}

void DeleteRaw(const wchar_t* name) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRun, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    ::RegDeleteValueW(key, name);
    ::RegCloseKey(key);
}

class RunKeyTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteRaw(L"Lumvale"); }
    void TearDown() override {
        DeleteRaw(L"Lumvale");
        DeleteRaw(L"LumvaleTestNeighbour");
    }
    Win32Platform platform;
};

TEST_F(RunKeyTest, APathOutsideAnyOneCodePageIsStoredWholeAsTextWithItsTerminator) {
    // Chinese, a German umlaut, Hebrew and a character beyond the BMP: no
    // single system code page holds them all.
    const std::wstring command = L"C:\\Program Files\\透明 Äpfel שלום \U0001F600\\lumvale.exe";
    const std::wstring neighbour = L"C:\\neighbour.exe";
    WriteRaw(L"LumvaleTestNeighbour", neighbour.c_str(), static_cast<DWORD>((neighbour.size() + 1) * 2));

    SetStartupEntry(platform, L"Lumvale", command);
    const RawValue raw = ReadRaw(L"Lumvale");
    ASSERT_EQ(raw.status, ERROR_SUCCESS);
    EXPECT_EQ(raw.type, static_cast<DWORD>(REG_SZ));
    ASSERT_EQ(raw.data.size(), (command.size() + 1) * sizeof(wchar_t));
    const auto* text = reinterpret_cast<const wchar_t*>(raw.data.data());
    EXPECT_EQ(std::wstring(text, command.size()), command);
    EXPECT_EQ(text[command.size()], L'\0');
    EXPECT_EQ(GetStartupEntry(platform, L"Lumvale"), command);

    DeleteStartupEntry(platform, L"Lumvale");
    EXPECT_EQ(ReadRaw(L"Lumvale").status, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(GetStartupEntry(platform, L"Lumvale"), L"");
    EXPECT_EQ(ReadRaw(L"LumvaleTestNeighbour").status, ERROR_SUCCESS) << "other programs' entries stay";
    DeleteStartupEntry(platform, L"Lumvale");  // nothing left to delete
}

TEST_F(RunKeyTest, OddStoredValuesReadSafely) {
    const std::wstring longPath = L"C:\\" + std::wstring(5000, L'x') + L".exe";
    WriteRaw(L"Lumvale", longPath.c_str(), static_cast<DWORD>((longPath.size() + 1) * 2));
    EXPECT_EQ(GetStartupEntry(platform, L"Lumvale"), longPath.substr(0, 1023)) << "present, and no more than fits";

    WriteRaw(L"Lumvale", nullptr, 0);
    EXPECT_EQ(GetStartupEntry(platform, L"Lumvale"), L"") << "no data at all";

    const wchar_t unterminated[] = {L' ', L'D', L':', L'\\', L'l', L'.', L'e', L'x', L'e', L' '};
    WriteRaw(L"Lumvale", unterminated, sizeof(unterminated));
    EXPECT_EQ(GetStartupEntry(platform, L"Lumvale"), L"D:\\l.exe");

    const DWORD number = 1;
    WriteRaw(L"Lumvale", &number, sizeof(number), REG_DWORD);
    EXPECT_EQ(GetStartupEntry(platform, L"Lumvale"), L"") << "no text";
}

}  // namespace
}  // namespace lumvale
