#include "settings/startup_entry.h"

#include <gtest/gtest.h>

#include "fake/fake_platform.h"

namespace lumvale {
namespace {

const std::wstring kRun = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class StartupEntryTest : public ::testing::Test {
protected:
    void Store(const std::wstring& text, bool textType = true) {
        fake.SetValue(RegRoot::LocalMachine, kRun, L"Lumvale", text, textType);
    }
    std::optional<std::wstring> Stored() const { return fake.Value(RegRoot::LocalMachine, kRun, L"Lumvale"); }

    fake::FakePlatform fake;
};

TEST_F(StartupEntryTest, ReadsTheValueTrimmedAndEmptyWhenAbsentOrBlank) {
    EXPECT_EQ(GetStartupEntry(fake, L"Lumvale"), L"") << "no Run key";
    fake.SetValue(RegRoot::LocalMachine, kRun, L"Other", L"C:\\other.exe");
    EXPECT_EQ(GetStartupEntry(fake, L"Lumvale"), L"") << "no value";

    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"C:\\Tools\\lumvale.exe", L"C:\\Tools\\lumvale.exe"},
        {L"  C:\\Tools\\lumvale.exe   ", L"C:\\Tools\\lumvale.exe"},
        {L"", L""},
        {L"      ", L""},
        {L"D:\\工具\\Lumvale—透明\\lumvale.exe", L"D:\\工具\\Lumvale—透明\\lumvale.exe"},
    };
    for (const auto& [stored, read] : cases) {
        Store(stored);
        EXPECT_EQ(GetStartupEntry(fake, L"Lumvale"), read) << std::string(stored.begin(), stored.end());
    }
    Store(L"4242", false);
    EXPECT_EQ(GetStartupEntry(fake, L"Lumvale"), L"") << "a value that is no text";
    EXPECT_EQ(GetStartupEntry(fake, L"lumvale"), L"") << "still none under another case";
    EXPECT_EQ(fake.openRegistryKeys(), 0);
}

TEST_F(StartupEntryTest, AValueLongerThanTheBufferReadsAsPresentWithoutOverrun) {
    // 1023 characters and the NUL fill the 2048 bytes exactly.
    const std::wstring fits = L"C:\\" + std::wstring(1016, L'a') + L".exe";
    ASSERT_EQ(fits.size(), 1023u);
    Store(fits);
    EXPECT_EQ(GetStartupEntry(fake, L"Lumvale"), fits);

    const std::wstring path = L"C:\\" + std::wstring(3000, L'b') + L".exe";
    Store(path);
    EXPECT_EQ(GetStartupEntry(fake, L"Lumvale"), path.substr(0, 1023));

    // Leading blanks that fill the buffer: still present.
    Store(std::wstring(1500, L' ') + L"C:\\lumvale.exe");
    EXPECT_FALSE(GetStartupEntry(fake, L"Lumvale").empty());
    Store(std::wstring(1024, L' '));
    EXPECT_FALSE(GetStartupEntry(fake, L"Lumvale").empty());
    EXPECT_EQ(fake.openRegistryKeys(), 0);
}

TEST_F(StartupEntryTest, WriteCreatesTheKeyStoresTheWholeTextAndFlushesBeforeClosing) {
    const std::wstring command = L"C:\\Program Files\\Lumvale 透明\\lumvale.exe";
    SetStartupEntry(fake, L"Lumvale", command);
    EXPECT_EQ(Stored(), command);
    EXPECT_EQ(fake.calls, (std::vector<std::string>{"RegCreateKey", "RegSetValueEx", "RegFlushKey", "RegCloseKey"}));
    EXPECT_EQ(fake.openRegistryKeys(), 0);

    SetStartupEntry(fake, L"Lumvale", L"E:\\lumvale.exe");
    EXPECT_EQ(Stored(), L"E:\\lumvale.exe");
    EXPECT_EQ(fake.ValueCount(RegRoot::LocalMachine, kRun), 1u);
    EXPECT_FALSE(fake.KeyExists(RegRoot::CurrentUser, kRun)) << "machine-wide, not per user";
}

TEST_F(StartupEntryTest, DeleteRemovesOnlyThatValueAndLeavesNoKeyOpen) {
    fake.SetValue(RegRoot::LocalMachine, kRun, L"Other", L"C:\\other.exe");
    Store(L"C:\\lumvale.exe");
    DeleteStartupEntry(fake, L"Lumvale");
    EXPECT_EQ(Stored(), std::nullopt);
    EXPECT_EQ(fake.Value(RegRoot::LocalMachine, kRun, L"Other"), L"C:\\other.exe");
    EXPECT_EQ(fake.openRegistryKeys(), 0);

    // Nothing to delete, or no key at all: nothing changes, nothing is created.
    DeleteStartupEntry(fake, L"Lumvale");
    fake::FakePlatform empty;
    DeleteStartupEntry(empty, L"Lumvale");
    EXPECT_FALSE(empty.KeyExists(RegRoot::LocalMachine, kRun));
    EXPECT_EQ(empty.openRegistryKeys(), 0);
}

TEST_F(StartupEntryTest, CommandIsTheProgramsOwnPathWithoutADoubledSeparator) {
    EXPECT_EQ(StartupCommand(L"C:\\Program Files\\Lumvale", L"lumvale.exe"), L"C:\\Program Files\\Lumvale\\lumvale.exe");
    EXPECT_EQ(StartupCommand(L"C:\\", L"lumvale.exe"), L"C:\\lumvale.exe");
    EXPECT_EQ(StartupCommand(L"D:\\工具", L"Lumvale.EXE"), L"D:\\工具\\Lumvale.exe");
    EXPECT_EQ(StartupCommand(L"D:\\v1.2", L"lum.vale.exe"), L"D:\\v1.2\\lum.vale.exe");

    EXPECT_EQ(StartupCommandForModule(L"C:\\lumvale.exe"), L"C:\\lumvale.exe");
    EXPECT_EQ(StartupCommandForModule(L"C:\\Program Files\\Lumvale\\Lumvale.EXE"),
              L"C:\\Program Files\\Lumvale\\Lumvale.exe");
    EXPECT_EQ(StartupCommandForModule(L"\\\\server\\share\\lumvale.exe"), L"\\\\server\\share\\lumvale.exe");
}

}  // namespace
}  // namespace lumvale
