#include "settings/startup_entry.h"

#include <algorithm>
#include <cwctype>

#include "store/conversions.h"
#include "platform/scoped.h"

namespace lumvale {
namespace {

// The read buffer of the value: 1023 characters and the terminating NUL.
constexpr std::uint32_t kEntryBufferBytes = 2048;

const std::wstring kApprovedKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\";

// Where Task Manager notes whether a Run key's entries are switched off:
// beside the 32-bit copy of the machine's key too, in the 64-bit view.
std::wstring ApprovedPath(RunKey key) { return kApprovedKey + (key.view == RegView::Registry32 ? L"Run32" : L"Run"); }
RegView ApprovedView(RunKey key) { return key.view == RegView::Registry32 ? RegView::Registry64 : key.view; }

// The first byte of the switch: 2 (or 6) on, 3 (or 7) off.
bool SwitchedOff(Platform& platform, RunKey runKey) {
    ScopedRegKey key(platform, platform.RegOpenKey(runKey.root, ApprovedPath(runKey), ApprovedView(runKey)));
    const auto state = key ? platform.RegQueryBinaryValue(key.get(), kStartupValueName) : std::nullopt;
    return state && (*state & 1) != 0;
}

// Without a switch, an entry is on.
void SwitchOn(Platform& platform, RunKey runKey) {
    ScopedRegKey key(platform, platform.RegOpenKey(runKey.root, ApprovedPath(runKey), ApprovedView(runKey)));
    if (key) platform.RegDeleteValue(key.get(), kStartupValueName);
}

// The same program: the path with or without the quotes of a blank, in any case.
bool SameProgram(const std::wstring& entry, const std::wstring& command) {
    const auto bare = [](std::wstring path) {
        if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"') path = path.substr(1, path.size() - 2);
        for (wchar_t& c : path) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
        return path;
    };
    return bare(entry) == bare(command);
}

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
        if (!GetStartupEntry(platform, key, kStartupValueName).empty() && !SwitchedOff(platform, key)) return true;
    return false;
}

StartupResult SetStartsWithWindows(Platform& platform, bool on, const std::wstring& command) {
    const std::vector<RunKey> keys = RunKeys(platform);
    const RunKey machine = keys.front();
    const auto entry = [&](RunKey key) { return GetStartupEntry(platform, key, kStartupValueName); };
    if (!on) {
        for (const RunKey& key : keys) DeleteStartupEntry(platform, key, kStartupValueName);
        return {StartsWithWindows(platform) ? StartupOutcome::Refused : StartupOutcome::AsAsked, {}};
    }
    SetStartupEntry(platform, machine, kStartupValueName, command);
    // What was written is read back: the outcome, not the calls' answers,
    // decides.
    if (entry(machine) == command) {
        for (auto other = keys.begin() + 1; other != keys.end(); ++other)
            DeleteStartupEntry(platform, *other, kStartupValueName);
        // Never two: where another cannot be removed, the new one goes again.
        if (std::any_of(keys.begin() + 1, keys.end(), [&](RunKey key) { return !entry(key).empty(); }))
            DeleteStartupEntry(platform, machine, kStartupValueName);
    } else if (std::all_of(keys.begin(), keys.end() - 1, [&](RunKey key) { return entry(key).empty(); })) {
        // Refused by the machine's key, which holds no entry already: the
        // user's own.
        SetStartupEntry(platform, keys.back(), kStartupValueName, command);
    } else {
        // The machine's entry starts at log-on: not a second one beside it.
        DeleteStartupEntry(platform, keys.back(), kStartupValueName);
    }
    // The entry that is left (there is at most one), and whether it is on.
    for (const RunKey& key : keys) {
        const std::wstring left = entry(key);
        if (left.empty()) continue;
        if (!SameProgram(left, command)) return {StartupOutcome::OtherProgram, left};
        SwitchOn(platform, key);
        return {SwitchedOff(platform, key) ? StartupOutcome::SwitchedOff : StartupOutcome::AsAsked, {}};
    }
    return {StartupOutcome::Refused, {}};
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
