#pragma once
// mStartup: the program's value in the Run keys that the shell reads at
// log-on: the machine's, for every user, and where an account may not write
// that one (a standard account since Windows Vista), the user's own.

#include <string>

#include "platform/platform.h"

namespace lumvale {

inline const std::wstring kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline const std::wstring kStartupValueName = L"Lumvale";

// The value's text without surrounding blanks; empty when the key or the
// value is missing. Only 2048 bytes are read: a longer value reads as
// present, as the part that fits. Both keys are read in the 64-bit view on
// 64-bit Windows.
std::wstring GetStartupEntry(Platform& platform, RegRoot root, const std::wstring& name);

// Writes the value as REG_SZ, creating the key if needed, and flushes the key
// before closing it. Fails silently where the account may not write.
void SetStartupEntry(Platform& platform, RegRoot root, const std::wstring& name, const std::wstring& command);

void DeleteStartupEntry(Platform& platform, RegRoot root, const std::wstring& name);

// Whether either Run key holds the program's value.
bool StartsWithWindows(Platform& platform);

// Writes the program's value with `command`, into the machine's key where
// the account may and else into the user's own, or removes it from both.
// Returns whether the program now starts with Windows exactly as asked.
bool SetStartsWithWindows(Platform& platform, bool on, const std::wstring& command);

// The command that starts the program: `directory`, a "\" unless it ends in
// one, the file name without its extension, ".exe"; in quotes where it holds
// a space. No arguments.
std::wstring StartupCommand(const std::wstring& directory, const std::wstring& fileName);

// The same for the full path of the running executable; a program at the
// root of a drive gives no doubled "\".
std::wstring StartupCommandForModule(const std::wstring& modulePath);

}  // namespace lumvale
