#pragma once
// A band panel L2 of cFrame: a plain opaque child window in the button-face
// colour that paints one inner line of the frame on its own surface.

#include <windows.h>

#include "controls/frame_layout.h"
#include "platform/window_base.h"

namespace lumvale {

// Paints `line` with a one-pixel pen of a system colour; the end point is
// left out.
void DrawFrameLine(HDC dc, const FrameLine& line, int systemColour);

class BandPanel : public WindowBase {
public:
    // `line` is the element L1(line) that the panel holds.
    bool Create(HWND frame, int line);

    // Sets the line's end points, in the panel's coordinates.
    void PlaceLine(const FrameLine& position);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int lineColour_ = 0;
    FrameLine line_;
};

}  // namespace lumvale
