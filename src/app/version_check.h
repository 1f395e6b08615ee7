#pragma once

#include "platform/platform.h"

namespace lumvale {

// Windows 2000 is version 5.0; NT 4.0 and the 95/98/Me family are 4.x, and a
// failed query reports 0.
inline bool IsWindows2000OrLater(Platform& platform) { return platform.GetVersionMajor() > 4; }

}  // namespace lumvale
