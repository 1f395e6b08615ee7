#pragma once
// mStartup: the program's value in the machine's Run key, which the shell
// reads at log-on to start programs for every user.

#include <string>

#include "platform/platform.h"

namespace lumvale {

inline const std::wstring kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline const std::wstring kStartupValueName = L"Lumvale";

// The value's text without surrounding blanks; empty when the key or the
// value is missing. Only 2048 bytes are read: a longer value reads as
// present, as the part that fits.
std::wstring GetStartupEntry(Platform& platform, const std::wstring& name);

// Writes the value as REG_SZ, creating the key if needed, and flushes the key
// before closing it. Fails silently where the account may not write.
void SetStartupEntry(Platform& platform, const std::wstring& name, const std::wstring& command);

void DeleteStartupEntry(Platform& platform, const std::wstring& name);

// The command that starts the program: `directory`, a "\" unless it ends in
// one, the file name without its extension, ".exe". No quotes, no arguments.
std::wstring StartupCommand(const std::wstring& directory, const std::wstring& fileName);

// The same for the full path of the running executable; a program at the
// root of a drive gives no doubled "\".
std::wstring StartupCommandForModule(const std::wstring& modulePath);

}  // namespace lumvale
