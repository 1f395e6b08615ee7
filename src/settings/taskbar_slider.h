#pragma once
// The taskbar opacity slider pTask without its window: SliderPos, the bar's
// fill position from 0 (empty, alpha 105) to the inner width W of pTask
// (full, alpha 255). W is passed in by the caller each time, as the window
// has it then; only the ratio SliderPos / W matters.

#include <cstdint>
#include <optional>

#include "store/settings_store.h"
#include "glass/glass.h"

namespace lumvale {

// Mouse buttons held during a slider event.
enum SliderButton : unsigned { kSliderLeft = 1, kSliderRight = 2, kSliderMiddle = 4, kSliderExtra = 8 };

// (alpha - 105) × W / 150, rounded (halves to even); not clamped, so a
// stored alpha outside 105..255 gives a position off the bar. Nothing when
// the result does not fit.
std::optional<std::int32_t> SliderPosForAlpha(double alpha, std::int32_t width);

// SliderPos × 150 / W + 105, rounded (halves to even); nothing when W is 0
// or the result does not fit.
std::optional<std::int16_t> AlphaForSliderPos(std::int32_t sliderPos, std::int32_t width);

class TaskbarSlider {
public:
    TaskbarSlider(SettingsStore& store, Glass& glass) : store_(store), glass_(glass) {}

    std::int32_t SliderPos() const { return sliderPos_; }

    // SliderPos from the stored "TBar" (default 255); a value that is no
    // number leaves it as it was.
    void Load(std::int32_t width);

    // The drag step at pointer position `x`: with the left button alone the
    // fill jumps there, kept on the bar, and every taskbar gets its alpha at
    // once. Returns false, having changed nothing, for any other buttons.
    bool Drag(double x, unsigned buttons, std::int32_t width);

    // Keeps the fill where it was when the bar's width changes, as on a
    // display of another scale.
    void Rescale(std::int32_t oldWidth, std::int32_t newWidth);

    // Stores "TBar" as the alpha the drag step gives SliderPos, so that what
    // the taskbar showed is what is kept; false where it could not.
    bool Save(std::int32_t width);

private:
    SettingsStore& store_;
    Glass& glass_;
    std::int32_t sliderPos_ = 0;
};

}  // namespace lumvale
