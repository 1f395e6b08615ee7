#pragma once
// fPopup: the small window beside the pointer in which the user picks the
// opacity of the window that was in front, keeps it on top or remembers the
// choice. One window serves one change: it is created by ShowMe and closed
// after the choice or the next click.

#include <windows.h>

#include "controls/frame.h"
#include "controls/picture_box.h"
#include "platform/display.h"
#include "platform/ui_text.h"
#include "platform/win32_handles.h"
#include "platform/window_base.h"
#include "popup/popup_logic.h"

namespace lumvale {

class PopupWindow : public WindowBase {
public:
    // Creates, fills, places and shows a popup for `content`. The object
    // belongs to its window and goes with it; `*slot` points to it while it
    // is open and is cleared when the window is gone.
    // `owner` is the hidden main window: an owned window never gets a
    // taskbar button.
    static PopupWindow* Open(PopupLogic& logic, Glass& glass, Platform& platform, const PopupContent& content,
                             HWND owner, PopupWindow** slot);

    // Destroys the window, or, while one of its own handlers is running,
    // hides it and destroys it when that handler has returned.
    void Close();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override;

private:
    PopupWindow(PopupLogic& logic, Glass& glass, Platform& platform, PopupWindow** slot)
        : logic_(logic), glass_(glass), platform_(platform), slot_(slot) {}

    bool Create(HWND owner);
    void CreateControls();
    void Fill(const PopupContent& content);
    void PlaceNearCursor();
    void ShowActivated();
    void OnCommand(int id, int code);
    PopupChoice CurrentChoice() const;
    bool Checked(HWND box) const;

    PopupLogic& logic_;
    Glass& glass_;
    Platform& platform_;
    PopupWindow** slot_;
    bool filling_ = false;
    int handlerDepth_ = 0;
    bool closePending_ = false;
    Dpi dpi_;

    unique_gdi_object font_;
    Tooltips tooltips_;
    cFrame cFrame_[3];
    PictureBox pDummy_[2];
    HWND lbExe_ = nullptr;
    HWND lstPercent_ = nullptr;
    HWND cmdNoGlass_ = nullptr;
    HWND chkTop_ = nullptr;
    HWND chkAlways_ = nullptr;
    HWND lbClass_ = nullptr;
    std::wstring classTooltip_;
};

}  // namespace lumvale
