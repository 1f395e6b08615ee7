#include "about/first_run.h"

#include "store/conversions.h"

namespace lumvale {

bool IsFirstRun(SettingsStore& store) {
    const auto number = ParseNumber(store.ReadSetting(store_names::kSettings, store_names::kRemember, L"100"));
    return number && *number == 100;
}

void AfterSplash(SettingsStore& store, Glass& glass, SettingsDialogOpener& opener) {
    if (!IsFirstRun(store)) return;
    if (opener.ShowSettings()) glass.ApplyTaskbarAlpha();
}

}  // namespace lumvale
