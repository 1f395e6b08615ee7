#pragma once
// pTask: the borderless picture box of the taskbar opacity slider. It paints
// the bar for SliderPos and turns left-button drags into drag steps; it has
// no keyboard control. While the left button is held it keeps the mouse
// captured, so the pointer may leave it and the position stays on the bar.

#include <windows.h>

#include "platform/window_base.h"
#include "settings/taskbar_slider.h"

namespace lumvale {

class SliderBox : public WindowBase {
public:
    explicit SliderBox(TaskbarSlider& slider) : slider_(slider) {}
    ~SliderBox() override;

    bool Create(HWND parent, int id, int x, int y, int width, int height);

    // The inner width W of the bar in its drawing unit, the pixel.
    std::int32_t Width() const;

    // Paints the bar now: highlight up to SliderPos, button face after it.
    void DrawSlider();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    void DragStep(WPARAM keys, LPARAM position);

    TaskbarSlider& slider_;
};

}  // namespace lumvale
