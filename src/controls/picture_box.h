#pragma once
// A borderless container in the button-face colour. Placed inside a frame,
// it holds controls at negative offsets so that it cuts off their own 3-D
// borders; only the frame's edges show.

#include <windows.h>

#include "platform/window_base.h"

namespace lumvale {

class PictureBox : public WindowBase {
public:
    ~PictureBox() override;
    // Pixels in the parent's client area.
    bool Create(HWND parent, int id, int x, int y, int width, int height);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace lumvale
