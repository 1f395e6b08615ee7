#include "settings/taskbar_slider.h"

#include "store/conversions.h"

namespace lumvale {
namespace {

constexpr double kAlphaRange = 150.0;  // from 105 to 255

}  // namespace

std::optional<std::int32_t> SliderPosForAlpha(double alpha, std::int32_t width) {
    return RoundToInt32((alpha - kMinTaskbarAlpha) * width / kAlphaRange);
}

std::optional<std::int16_t> AlphaForSliderPos(std::int32_t sliderPos, std::int32_t width) {
    if (width == 0) return std::nullopt;
    return RoundToInt16(static_cast<double>(sliderPos) * kAlphaRange / width + kMinTaskbarAlpha);
}

void TaskbarSlider::Load(std::int32_t width) {
    const auto stored = ParseNumber(store_.ReadSetting(store_names::kSettings, store_names::kTaskbarAlpha, L"255"));
    if (!stored) return;
    if (const auto position = SliderPosForAlpha(*stored, width)) sliderPos_ = *position;
}

bool TaskbarSlider::Drag(double x, unsigned buttons, std::int32_t width) {
    if (buttons != kSliderLeft) return false;
    const auto position = RoundToInt32(x);
    if (!position) return false;
    // The pointer may be anywhere while the slider holds the capture.
    sliderPos_ = *position;
    if (sliderPos_ < 0) sliderPos_ = 0;
    if (sliderPos_ > width) sliderPos_ = width;
    if (const auto alpha = AlphaForSliderPos(sliderPos_, width)) glass_.SetTaskbarAlpha(*alpha);
    return true;
}

void TaskbarSlider::Rescale(std::int32_t oldWidth, std::int32_t newWidth) {
    if (oldWidth <= 0 || oldWidth == newWidth) return;
    if (const auto position = RoundToInt32(static_cast<double>(sliderPos_) * newWidth / oldWidth)) sliderPos_ = *position;
}

bool TaskbarSlider::Save(std::int32_t width) {
    const auto alpha = AlphaForSliderPos(sliderPos_, width);
    return !alpha || store_.WriteSetting(store_names::kSettings, store_names::kTaskbarAlpha, DecimalText(*alpha));
}

}  // namespace lumvale
