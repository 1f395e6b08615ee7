#pragma once
// mStartup: the program's value in the Run keys that the shell reads at
// log-on: the machine's, for every user, and where an account may not write
// that one (a standard account since Windows Vista), the user's own.

#include <string>
#include <vector>

#include "platform/platform.h"

namespace lumvale {

inline const std::wstring kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline const std::wstring kStartupValueName = L"Lumvale";

// A Run key: its root and the registry view it is seen in. Windows 8 and
// later keep beside it whether the user switched each entry off in the
// Startup tab of Task Manager: the value of the same name under
// Explorer\StartupApproved\Run (Run32 for the 32-bit copy of the machine's).
struct RunKey {
    RegRoot root;
    RegView view;
};

// Where the program's value may be, the one it is written to first: the
// machine's key, which on 64-bit Windows is its 64-bit view (as the x64 exe
// and this version of the x86 exe write it) and its 32-bit copy (as earlier
// x86 builds wrote it, and which the shell runs too); last the user's.
std::vector<RunKey> RunKeys(Platform& platform);

// The value's text without surrounding blanks; empty when the key or the
// value is missing. Only 2048 bytes are read: a longer value reads as
// present, as the part that fits.
std::wstring GetStartupEntry(Platform& platform, RunKey key, const std::wstring& name);

// Writes the value as REG_SZ, creating the key if needed, and flushes the key
// before closing it. Fails silently where the account may not write.
void SetStartupEntry(Platform& platform, RunKey key, const std::wstring& name, const std::wstring& command);

void DeleteStartupEntry(Platform& platform, RunKey key, const std::wstring& name);

// Whether a Run key holds the program's value and it is not switched off.
bool StartsWithWindows(Platform& platform);

// What holds after the start with Windows was set.
enum class StartupOutcome {
    AsAsked,
    Refused,       // the account may change no Run key that it would have to
    OtherProgram,  // an entry that the account may not change starts another path
    SwitchedOff,   // the entry is switched off in Task Manager, and the account may not switch it on
};
struct StartupResult {
    StartupOutcome outcome = StartupOutcome::AsAsked;
    std::wstring other;  // the path that starts instead, for OtherProgram
};

// Writes the program's value with `command`, into the machine's key where
// the account may and else into the user's own, switches it on where it
// was switched off, and never leaves a second one (two entries start two
// copies); or removes it from every key. Says what holds where it is not
// what was asked.
StartupResult SetStartsWithWindows(Platform& platform, bool on, const std::wstring& command);

// The command that starts the program: `directory`, a "\" unless it ends in
// one, the file name without its extension, ".exe"; in quotes where it holds
// a space. No arguments.
std::wstring StartupCommand(const std::wstring& directory, const std::wstring& fileName);

// The same for the full path of the running executable; a program at the
// root of a drive gives no doubled "\".
std::wstring StartupCommandForModule(const std::wstring& modulePath);

}  // namespace lumvale
