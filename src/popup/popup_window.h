#pragma once
// fPopup: the small window beside the pointer in which the user picks the
// opacity of the window that was in front, keeps it on top or remembers the
// choice. One window serves one change: it is created by ShowMe and closed
// after the choice or the next click.

#include <windows.h>

#include <memory>

#include "controls/frame.h"
#include "controls/picture_box.h"
#include "platform/display.h"
#include "platform/ui_text.h"
#include "platform/win32_handles.h"
#include "platform/window_base.h"
#include "popup/popup_logic.h"

namespace lumvale {

// The object is shared: whoever opened the popup holds it while it is the
// open one, and each of its handlers holds it while it runs. A handler's
// work dispatches messages (the beep, un-layering, a window that is asked
// whether it answers), and any of them may close the popup or end the
// program: the window may then be gone when the handler resumes, but never
// the object it runs in.
class PopupWindow : public WindowBase, public std::enable_shared_from_this<PopupWindow> {
public:
    // Creates, fills, places and shows a popup for `content`; null when the
    // window could not be made. `owner` is the hidden main window: an owned
    // window never gets a taskbar button.
    static std::shared_ptr<PopupWindow> Open(PopupLogic& logic, Glass& glass, Platform& platform,
                                             const PopupContent& content, HWND owner);

    // Destroys the window if it is still there, leaving the foreground with
    // the popup's target where the popup had it, and where it was otherwise.
    void Close();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    PopupWindow(PopupLogic& logic, Glass& glass, Platform& platform)
        : logic_(logic), glass_(glass), platform_(platform) {}

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
    bool filling_ = false;
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
    HWND chkThrough_ = nullptr;
    HWND lbClass_ = nullptr;
    std::wstring classTooltip_;
};

}  // namespace lumvale
