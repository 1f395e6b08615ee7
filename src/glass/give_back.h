#pragma once
// "还原所有窗口": every top-level window of the session that Lumvale changed
// (this copy or any other, in this run, an earlier one or one that crashed)
// gets back what its program had; the marks on the windows tell which.

#include "glass/glass.h"
#include "glass/refusal_notice.h"

namespace lumvale {

// The taskbars keep the stored opacity, and Lumvale's own windows theirs.
// A window that does not answer or refuses is skipped, and the first such
// one explained. Each window given back gets the run record "-1" (no glass),
// so that the popup shows it without a choice, and a mark that keeps
// remembered opacities off it, whatever another copy does to the records,
// until the user glasses it again. No window is activated or raised: the
// keyboard stays where it was.
void GiveBackEveryWindow(Platform& platform, Glass& glass, SettingsStore& store, RefusalNotice& notice);

}  // namespace lumvale
