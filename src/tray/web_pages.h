#pragma once
// Opening web addresses and mail links with the user's browser or mail
// program.

#include <string>

#include "platform/platform.h"

namespace lumvale {

std::wstring HomePageAddress();
std::wstring ProductPageAddress();

// ShellExecute "open" with no owner, empty parameters and directory,
// SW_SHOWNORMAL; the shell's answer is not examined.
void OpenWebPage(Platform& platform, const std::wstring& target);
void ShowHelp(Platform& platform);

}  // namespace lumvale
