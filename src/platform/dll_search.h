#pragma once
// Where the process takes its DLLs from. The program runs from folders where
// other files arrive unasked, and at every user's log-on: no DLL may come
// from the program's own folder or the current directory.

namespace lumvale {

// First thing at start, before any window or shell call: the system folder
// only, where the system lets a program say so (Windows 8 and later, 7 with
// its update), and without the current directory where it can drop that (XP
// SP1 and later). Elsewhere the DLLs that the shell functions the program
// calls load on demand are loaded from the system folder now, so that a
// later load by name finds them loaded.
void RestrictDllSearch();

// The common controls (the tooltips), from the system folder.
void LoadCommonControls();

}  // namespace lumvale
