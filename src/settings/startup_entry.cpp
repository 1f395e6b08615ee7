#include "settings/startup_entry.h"

#include "store/conversions.h"
#include "platform/scoped.h"

namespace lumvale {
namespace {

// The read buffer of the value: 1023 characters and the terminating NUL.
constexpr std::uint32_t kEntryBufferBytes = 2048;

// The Run keys as 64-bit programs see them, wherever the system is 64-bit:
// the x86 build would otherwise read and write the machine's 32-bit copy
// (Wow6432Node), the x64 build the 64-bit key, and after a switch between
// them the entry would show as missing and Save would add a second one.
RegView RunKeyView(Platform& platform) { return platform.IsWow64Process() ? RegView::Native64 : RegView::Own; }

}  // namespace

std::wstring GetStartupEntry(Platform& platform, RegRoot root, const std::wstring& name) {
    ScopedRegKey key(platform, platform.RegOpenKey(root, kRunKey, RunKeyView(platform)));
    if (!key) return {};
    std::wstring text;
    switch (platform.RegQueryValueEx(key.get(), name, text, kEntryBufferBytes)) {
        case RegQueryResult::Ok:
            return TrimBlanks(text);
        case RegQueryResult::MoreData: {
            // Longer than the buffer: the value is there whatever it holds,
            // even when the part that fits is nothing but blanks.
            std::wstring trimmed = TrimBlanks(text);
            return trimmed.empty() ? text : trimmed;
        }
        case RegQueryResult::NotFound:
            break;
    }
    return {};
}

void SetStartupEntry(Platform& platform, RegRoot root, const std::wstring& name, const std::wstring& command) {
    ScopedRegKey key(platform, platform.RegCreateKey(root, kRunKey, RunKeyView(platform)));
    if (!key) return;
    platform.RegSetValueEx(key.get(), name, command);
    platform.RegFlushKey(key.get());
}

void DeleteStartupEntry(Platform& platform, RegRoot root, const std::wstring& name) {
    ScopedRegKey key(platform, platform.RegOpenKey(root, kRunKey, RunKeyView(platform)));
    if (key) platform.RegDeleteValue(key.get(), name);
}

bool StartsWithWindows(Platform& platform) {
    return !GetStartupEntry(platform, RegRoot::LocalMachine, kStartupValueName).empty() ||
           !GetStartupEntry(platform, RegRoot::CurrentUser, kStartupValueName).empty();
}

bool SetStartsWithWindows(Platform& platform, bool on, const std::wstring& command) {
    constexpr RegRoot machine = RegRoot::LocalMachine, user = RegRoot::CurrentUser;
    if (on) {
        SetStartupEntry(platform, machine, kStartupValueName, command);
        // What was written is read back: the outcome, not the calls' answers,
        // decides. A value in both keys would start two copies.
        const std::wstring written = GetStartupEntry(platform, machine, kStartupValueName);
        if (written == command)
            DeleteStartupEntry(platform, user, kStartupValueName);
        else if (written.empty())
            SetStartupEntry(platform, user, kStartupValueName, command);
    } else {
        DeleteStartupEntry(platform, machine, kStartupValueName);
        DeleteStartupEntry(platform, user, kStartupValueName);
    }
    return StartsWithWindows(platform) == on;
}

std::wstring StartupCommand(const std::wstring& directory, const std::wstring& fileName) {
    const auto dot = fileName.find_last_of(L'.');
    const std::wstring stem = dot == std::wstring::npos ? fileName : fileName.substr(0, dot);
    const bool needsSeparator = !directory.empty() && directory.back() != L'\\';
    const std::wstring path = directory + (needsSeparator ? L"\\" : L"") + stem + L".exe";
    // Unquoted, "C:\My Tools\lumvale.exe" would first start "C:\My.exe".
    return path.find(L' ') == std::wstring::npos ? path : L"\"" + path + L"\"";
}

std::wstring StartupCommandForModule(const std::wstring& modulePath) {
    const auto separator = modulePath.find_last_of(L'\\');
    if (separator == std::wstring::npos) return StartupCommand(L"", modulePath);
    return StartupCommand(modulePath.substr(0, separator), modulePath.substr(separator + 1));
}

}  // namespace lumvale
