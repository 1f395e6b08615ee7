#pragma once
// cFrame: a container control that shows a three-dimensional frame around
// its client area, a band BorderWidth pixels wide, raised (Edge 0) or sunken
// (any other Edge).
//
// The frame is built from elements (see frame_layout.h): the four outer
// lines are painted on the control's own surface, below every child; the
// four band panels are child windows that each paint one inner line. Every
// layout raises the panels to the top of the children, so the band covers
// any contained control that reaches into it.
//
// Contained controls are created as children of hwnd(), in its client
// pixels. Their notifications (WM_COMMAND, WM_NOTIFY, scrolling, colours,
// owner drawing) are passed on to the frame's parent, so the window that
// holds the frame handles them as its own. A left click on the control's own
// surface (not on a band panel or a contained control) sends the parent
// WM_COMMAND with MAKEWPARAM(id, cFrame::kClicked) and the frame's handle.
// A contained control created without WS_EX_NOPARENTNOTIFY is given
// WS_CLIPSIBLINGS, so that its own painting stays below the band.

#include <windows.h>

#include <array>
#include <cstdint>

#include "controls/band_panel.h"
#include "controls/frame_layout.h"
#include "controls/frame_properties.h"
#include "platform/dpi.h"
#include "platform/window_base.h"

namespace lumvale {

// A COLORREF, or with the top bit set a reference to the system colour whose
// index is in the low byte; a reference follows changes of the system
// colours.
using FrameColour = std::uint32_t;
constexpr FrameColour kSystemColourReference = 0x80000000u;
constexpr FrameColour SystemColour(int index) { return kSystemColourReference | static_cast<FrameColour>(index); }

class cFrame : public WindowBase {
public:
    // The notification code of Click in WM_COMMAND.
    static constexpr WORD kClicked = 0;

    cFrame() = default;
    ~cFrame() override;

    // Creates the control as a child of `parent` with control id `id`, at a
    // place in the parent's client pixels, and lays the frame out.
    bool Create(HWND parent, int id, int x, int y, int width, int height,
                const FrameProperties& properties = {});

    // The band is BorderWidth pixels at 96 dots per inch, wider on a display
    // of more; its edges stay one pixel.
    void SetDpi(Dpi dpi);

    // The fill of the control's own surface; no new layout.
    FrameColour BackColor() const { return backColor_; }
    void SetBackColor(FrameColour colour);

    // Any value is taken; one that leaves no room for an element leaves that
    // element where it was.
    std::int16_t BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(std::int16_t width);
    std::int32_t Edge() const { return edge_; }
    void SetEdge(std::int32_t edge);

    // A disabled frame makes its contents unreachable; no new layout.
    bool Enabled() const;
    void SetEnabled(bool enabled);

    // Lays the frame out again.
    void Refresh() { DrawFrame(); }

    // What the holding window's layout keeps.
    FrameProperties Properties() const { return {edge_, borderWidth_}; }

    // The band panel L2(index), or null.
    HWND L2(int index) const { return index >= 0 && index < kFramePanels ? L2_[index].hwnd() : nullptr; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void DrawFrame();
    void PlaceLine(int line, const FrameLine& position);
    void RaiseBand();
    void Paint();
    void FillBackground(HDC dc);
    void OnLeftButtonUp(LPARAM lParam);

    std::int32_t edge_ = kDefaultEdge;
    std::int16_t borderWidth_ = kDefaultBorderWidth;
    Dpi dpi_;
    FrameColour backColor_ = SystemColour(COLOR_BTNFACE);
    bool pressed_ = false;
    std::array<FrameLine, 4> L1_{};  // the outer lines L1(0..3); L2(i) holds L1(4 + i)
    std::array<BandPanel, kFramePanels> L2_;
};

}  // namespace lumvale
