#pragma once
// fAbout: the borderless about window. SplashWin shows it at start-up for
// 1.5 s without a close button; About shows it modally with one. Its
// elements come from about_layout.h: the windowless ones are painted, the
// close button is a real child in its clipping box inside a frame.

#include <windows.h>

#include <memory>
#include <utility>
#include <vector>

#include "about/about_layout.h"
#include "about/first_run.h"
#include "controls/frame.h"
#include "controls/picture_box.h"
#include "platform/platform.h"
#include "platform/ui_text.h"
#include "platform/win32_handles.h"
#include "platform/window_base.h"

namespace lumvale {

// What the about window needs from the rest of the program.
class AboutOwner : public SettingsDialogOpener {
public:
    // The hidden main window and its icon; asking for either creates the
    // window.
    virtual HWND MainWindowHandle() = 0;
    virtual HICON MainWindowIcon() = 0;
};

class AboutWindow : public WindowBase {
public:
    AboutWindow(AboutOwner& owner, Platform& platform, SettingsStore& store, Glass& glass)
        : owner_(owner), platform_(platform), store_(store), glass_(glass) {}

    // The splash: modeless, topmost, without the close button; it closes
    // itself after 1.5 s and then, on a first run, opens the settings.
    void SplashWin();
    // The about box: topmost with the close button, modal over the program's
    // other windows; returns when it has closed. While the window is open,
    // either call brings it to the front instead.
    void About();
    // Closes the window if it is open.
    void Unload();

    HWND closeFrame() const { return cFrClose_.hwnd(); }
    HWND closeButton() const { return cmdClose_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool Load(HWND owner);
    void OnLoad();
    void CreateCloseButton();
    void BringToFront();
    void DisableProgramWindows();
    void EnableProgramWindows();
    void tmrUnload_Timer();

    void Paint();
    void PaintElement(HDC dc, const AboutElement& element);
    HFONT Font(int pointsX100);
    int LinkIndexAt(LPARAM clientPoint) const;
    bool SetLinkCursor();

    AboutOwner& owner_;
    Platform& platform_;
    SettingsStore& store_;
    Glass& glass_;

    std::vector<AboutElement> elements_;
    cFrame cFrClose_;
    PictureBox pDum_;
    HWND cmdClose_ = nullptr;
    std::unique_ptr<Tooltips> tooltips_;
    Dpi dpi_;
    unique_icon icon_;  // ProgIcon: the program's icon at the size that fits
    unique_gdi_object logo_;
    unique_gdi_object scaledLogo_;  // the logo at the element's size, on displays other than 96 dpi
    std::vector<std::pair<int, unique_gdi_object>> fonts_;  // by size
    std::vector<HWND> disabledWindows_;
    int pressedLink_ = -1;
};

}  // namespace lumvale
