#pragma once
// What fSettings does, without its window: which choices the controls show
// when it opens, and what Save writes. The window only moves the choices
// between these records and its controls.

#include <cstdint>
#include <string>

#include "store/settings.h"
#include "glass/glass.h"
#include "platform/platform.h"
#include "settings/startup_entry.h"
#include "settings/taskbar_slider.h"

namespace lumvale {

// Item counts of the two lists: cmbMenu has "打开   " (the right button
// alone) that cmbKeys lacks, so the same modifiers have index n among the
// hot-keys and n + 1 among the popup triggers.
constexpr int kPopupKeyItems = 9;
constexpr int kHotKeyItems = 8;

// The dialog's controls as values; an index of -1 means no selection.
struct SettingsChoices {
    bool startWithWindows = false;  // chkStart
    bool remember = false;          // chkRemember
    bool beep = false;              // chkBeep
    int popupKeys = -1;             // cmbMenu
    int hotKeys = -1;               // cmbKeys
};

constexpr std::int16_t kDialogAlpha = 240;

class SettingsEditor {
public:
    SettingsEditor(Platform& platform, SettingsStore& store, Settings& settings, Glass& glass)
        : platform_(platform), store_(store), settings_(settings), glass_(glass), slider_(store, glass) {}

    // The choices to show: the Run value's presence and the settings held in
    // memory (an index outside its list selects nothing). Sets SliderPos
    // from the stored "TBar", then makes `dialog` topmost and translucent.
    SettingsChoices Load(Hwnd dialog, std::int32_t sliderWidth);

    // Stores "TBar" and the four settings; where they were stored, writes or
    // removes the Run value and puts the choices into the settings in memory
    // (the poller's next tick uses them). What could not be stored takes no
    // effect: it would last only until the next start.
    struct Saved {
        bool stored = false;
        StartupResult startup;
    };
    Saved Save(const SettingsChoices& choices, std::int32_t sliderWidth, const std::wstring& startupCommand);

    TaskbarSlider& slider() { return slider_; }

private:
    Platform& platform_;
    SettingsStore& store_;
    Settings& settings_;
    Glass& glass_;
    TaskbarSlider slider_;
};

}  // namespace lumvale
