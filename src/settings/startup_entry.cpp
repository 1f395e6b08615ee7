#include "settings/startup_entry.h"

#include <algorithm>

#include "store/conversions.h"
#include "platform/scoped.h"

namespace lumvale {
namespace {

// The read buffer of the value: 1023 characters and the terminating NUL.
constexpr std::uint32_t kEntryBufferBytes = 2048;

}  // namespace

std::vector<RunKey> RunKeys(Platform& platform) {
    constexpr RegRoot machine = RegRoot::LocalMachine, user = RegRoot::CurrentUser;
    if (!platform.Is64BitWindows()) return {{machine, RegView::Own}, {user, RegView::Own}};
    return {{machine, RegView::Registry64}, {machine, RegView::Registry32}, {user, RegView::Own}};
}

std::wstring GetStartupEntry(Platform& platform, RunKey runKey, const std::wstring& name) {
    ScopedRegKey key(platform, platform.RegOpenKey(runKey.root, kRunKey, runKey.view));
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

void SetStartupEntry(Platform& platform, RunKey runKey, const std::wstring& name, const std::wstring& command) {
    ScopedRegKey key(platform, platform.RegCreateKey(runKey.root, kRunKey, runKey.view));
    if (!key) return;
    platform.RegSetValueEx(key.get(), name, command);
    platform.RegFlushKey(key.get());
}

void DeleteStartupEntry(Platform& platform, RunKey runKey, const std::wstring& name) {
    ScopedRegKey key(platform, platform.RegOpenKey(runKey.root, kRunKey, runKey.view));
    if (key) platform.RegDeleteValue(key.get(), name);
}

bool StartsWithWindows(Platform& platform) {
    for (const RunKey& key : RunKeys(platform))
        if (!GetStartupEntry(platform, key, kStartupValueName).empty()) return true;
    return false;
}

bool SetStartsWithWindows(Platform& platform, bool on, const std::wstring& command) {
    const std::vector<RunKey> keys = RunKeys(platform);
    const RunKey machine = keys.front();
    if (on) {
        SetStartupEntry(platform, machine, kStartupValueName, command);
        // What was written is read back: the outcome, not the calls' answers,
        // decides.
        if (GetStartupEntry(platform, machine, kStartupValueName) == command) {
            for (auto other = keys.begin() + 1; other != keys.end(); ++other)
                DeleteStartupEntry(platform, *other, kStartupValueName);
        } else if (std::all_of(keys.begin(), keys.end() - 1, [&](const RunKey& key) {
                       return GetStartupEntry(platform, key, kStartupValueName).empty();
                   })) {
            // Refused by the machine's key, which holds no entry that starts
            // the program already: the user's own.
            SetStartupEntry(platform, keys.back(), kStartupValueName, command);
        }
    } else {
        for (const RunKey& key : keys) DeleteStartupEntry(platform, key, kStartupValueName);
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
