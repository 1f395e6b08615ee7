#pragma once
// fSettings: the settings dialog. It shows the settings held in memory and
// the start-with-Windows entry when it opens, lets the user drag the
// taskbar's opacity live, and on Save writes everything back; Cancel, the
// close box and any other way of closing write nothing. The object outlives
// its window and keeps SliderPos; every opening runs Load again.

#include <windows.h>

#include <array>
#include <functional>
#include <vector>

#include "controls/frame.h"
#include "controls/picture_box.h"
#include "platform/dpi.h"
#include "platform/win32_handles.h"
#include "platform/window_base.h"
#include "settings/settings_editor.h"
#include "settings/slider_box.h"

namespace lumvale {

class SettingsDialog : public WindowBase {
public:
    SettingsDialog(Platform& platform, SettingsStore& store, Settings& settings, Glass& glass,
                   std::function<void()> showAbout);
    ~SettingsDialog() override;

    // Creates the window owned by `owner`, runs Load and shows it; an open
    // dialog is brought to the front instead.
    void Open(HWND owner);
    // Opens the dialog and returns once its window is gone. The owner is
    // disabled meanwhile; its timers keep running.
    void ShowModal(HWND owner);
    void BringToFront();
    // Closes the window without writing anything.
    void Close();

    SettingsEditor& editor() { return editor_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();
    static SIZE ClientSize(Dpi dpi);
    // Creates a control, frame, container or the slider at a place in twips
    // of its container, and notes the place for later layouts.
    HWND AddControl(const wchar_t* className, const wchar_t* text, DWORD style, HWND container, int left, int top,
                    int width, int height);
    template <typename Control, typename... Properties>
    void Place(Control& control, HWND container, int left, int top, int width, int height, Properties... properties);
    // Places every control, the frames' bands, the font and the slider at
    // the scale of a display.
    void Layout(Dpi dpi);
    HWND AddLabel(const wchar_t* text, HWND container, int left, int top);
    HWND AddList(HWND container, const wchar_t* const* items, int count);
    void OnLoad();
    void ShowChoices(const SettingsChoices& choices);
    SettingsChoices ReadChoices() const;
    void OnCommand(HWND control, WORD code);
    void Save();
    // A message box over the dialog.
    void Tell(const std::wstring& text);
    void OnActivate(bool active);

    Platform& platform_;
    SettingsEditor editor_;
    std::function<void()> showAbout_;

    std::array<cFrame, 7> cFr_;
    std::array<PictureBox, 3> pDum_;
    SliderBox pTask_;
    HWND chkStart_ = nullptr;
    HWND chkRemember_ = nullptr;
    HWND chkBeep_ = nullptr;
    HWND cmbMenu_ = nullptr;
    HWND cmbKeys_ = nullptr;
    HWND cmdSave_ = nullptr;
    HWND cmdAbout_ = nullptr;
    HWND cmdHelp_ = nullptr;
    HWND cmdCancel_ = nullptr;
    unique_gdi_object font_;
    Dpi dpi_;
    struct Placed {
        HWND control;
        int left, top, width, height;  // twips
    };
    std::vector<Placed> placed_;
    HWND focus_ = nullptr;  // the control that gets the focus back on activation
};

}  // namespace lumvale
