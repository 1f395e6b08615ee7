#pragma once
// Where the process takes its DLLs from. The program runs from folders where
// other files arrive unasked, and at every user's log-on: no DLL may come
// from the program's own folder or the current directory.

#include <cstdint>

#include "platform/platform.h"

namespace lumvale {

// First thing at start, before any window or shell call: the system folder
// only, where the system lets a program say so (Windows 8 and later, 7 with
// its update), and without the current directory where it can drop that (XP
// SP1 and later). Elsewhere the DLLs that the shell functions the program
// calls load on demand are loaded from the system folder now, so that a
// later load by name finds them loaded.
void RestrictDllSearch(Platform& platform);

// The flags of a load by full system path. Where the search is restricted
// to the system folder, that folder. Elsewhere the loaded DLL's own imports
// would be looked for in the program's folder first: the altered search
// puts the DLL's folder, the system's, in its place.
std::uint32_t FullPathLoadFlags(bool searchRestricted);

}  // namespace lumvale
