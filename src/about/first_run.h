#pragma once
// The first run: until the settings dialog has been saved once, the splash
// opens it when its time is up.

#include "store/settings_store.h"
#include "glass/glass.h"

namespace lumvale {

// Opens the settings dialog modally and returns true once it has closed;
// false when a dialog was open already and was only brought to the front.
class SettingsDialogOpener {
public:
    virtual ~SettingsDialogOpener() = default;
    virtual bool ShowSettings() = 0;
};

// "提示：     " is written only by the settings dialog's Save, as "1" or
// "0", so its default 100 means that it was never saved. A value that is no
// number is not a first run.
bool IsFirstRun(SettingsStore& store);

// What follows the splash's closing: on a first run the settings dialog, and
// once it has closed the stored taskbar alpha again, so that a slider
// dragged in a cancelled dialog leaves the taskbar as stored. A dialog that
// was open already is only brought forward and keeps its live slider.
void AfterSplash(SettingsStore& store, Glass& glass, SettingsDialogOpener& opener);

}  // namespace lumvale
