#include "settings/settings_dialog.h"

#include <vector>

#include "tray/web_pages.h"
#include "platform/display.h"
#include "platform/ui_text.h"
#include "settings/startup_entry.h"

namespace lumvale {
namespace {

constexpr wchar_t kClassName[] = L"LumvaleSettings";

// The texts of the dialog; the trailing blanks are part of them.
constexpr wchar_t kTitle[] = L"Lumvale 汉化小组汉化";
constexpr wchar_t kStartText[] = L"随 WINDOWS 启动时自动启动 Lumvale           ";
constexpr wchar_t kRememberText[] = L"自动储存每次Windows的透明度设置                   ";
// This check box switches the confirmation beep, whatever its caption says.
constexpr wchar_t kBeepText[] = L"总在最上                ";
constexpr wchar_t kPopupLabel[] = L"透明度弹出设置：右键点击：       ";
constexpr wchar_t kHotKeyLabel[] = L"快捷键 （0-9）：                       ";
constexpr wchar_t kTaskbarLabel[] = L"开始栏透明度：       ";
constexpr wchar_t kSaveText[] = L"保存 ";
constexpr wchar_t kAboutText[] = L"关于  ";
constexpr wchar_t kHelpText[] = L"帮助 ";
constexpr wchar_t kCancelText[] = L"取消   ";
constexpr wchar_t kStartRefused[] =
    L"无法更改随 Windows 启动的设置：此帐户没有写入注册表启动项（Run 键）的权限。";
constexpr wchar_t kStartOther[] =
    L"无法更改随 Windows 启动的设置：启动项“Lumvale”启动的是另一个程序，此帐户没有更改它的权限：";
constexpr wchar_t kStartSwitchedOff[] =
    L"无法更改随 Windows 启动的设置：启动项“Lumvale”已在任务管理器的“启动”中被禁用，此帐户没有启用它的权限。";
constexpr wchar_t kSettingsRefused[] =
    L"无法保存设置：此帐户没有写入注册表 HKEY_CURRENT_USER\\Software\\Lumvale 的权限。";

constexpr const wchar_t* kPopupKeyTexts[kPopupKeyItems] = {
    L"关闭    ",      L"打开   ",        L"+ Alt",          L"+ Ctrl",
    L"+ Shift",       L"+ Alt + Ctrl",   L"+ Alt + Shift",  L"+ Ctrl + Shift",
    L"+ Alt + Ctrl + Shift",
};
constexpr const wchar_t* kHotKeyTexts[kHotKeyItems] = {
    L"关闭    ",     L"+ Alt",         L"+ Ctrl",         L"+ Shift",
    L"+ Alt + Ctrl", L"+ Alt + Shift", L"+ Ctrl + Shift", L"+ Alt + Ctrl + Shift",
};

// The client area, in twips.
constexpr int kClientWidth = 6015;
constexpr int kClientHeight = 3600;
// The closed height of the two lists, in twips.
constexpr int kListHeight = 315;

// The one id of every control: the dialog tells its controls apart by their
// windows. It is neither IDOK nor IDCANCEL, which Enter and Esc send and the
// dialog ignores: those keys have no meaning of their own here.
constexpr int kControlId = 100;

// The groups sit on raised panels, the lists and the slider in sunken wells.
constexpr FrameProperties kRaised{0, 3};
constexpr FrameProperties kSunken2{1, 2};
constexpr FrameProperties kSunken1{1, 1};

std::wstring ModulePath() {
    std::vector<wchar_t> path(MAX_PATH);
    while (true) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return std::wstring(path.data(), length);
        path.resize(path.size() * 2);
    }
}

// Sets the closed height of a drop-down list, which Windows otherwise takes
// from the font. The list adds its borders to the height of its selection
// field, and Wine reads that height back differently from how it takes it,
// so the field is corrected until the whole list has the height.
void FitListHeight(HWND list, int height) {
    auto field = static_cast<int>(::SendMessageW(list, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    for (int attempt = 0; attempt < 3; ++attempt) {
        RECT box{};
        ::GetWindowRect(list, &box);
        const int error = height - (box.bottom - box.top);
        if (error == 0 || field + error <= 0) return;
        field += error;
        ::SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    }
}

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

}  // namespace

SettingsDialog::SettingsDialog(Platform& platform, SettingsStore& store, Settings& settings, Glass& glass,
                               std::function<void()> showAbout)
    : platform_(platform),
      editor_(platform, store, settings, glass),
      showAbout_(std::move(showAbout)),
      pTask_(editor_.slider()) {}

SettingsDialog::~SettingsDialog() {
    // The window goes first, while the controls' objects still exist.
    if (exists()) ::DestroyWindow(hwnd());
}

void SettingsDialog::Open(HWND owner) {
    if (exists()) {
        BringToFront();
        return;
    }
    RegisterClassOnce(kClassName, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    RECT work{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    // Centred on the work area, at the scale of the monitor there.
    const POINT centre{(work.left + work.right) / 2, (work.top + work.bottom) / 2};
    const SIZE outer = OuterSize(ClientSize(DpiAt(centre)), kStyle, kExStyle, DpiAt(centre));
    // WM_CREATE builds the controls and runs Load before the window shows.
    if (!CreateWindowObject(kExStyle, kClassName, kTitle, kStyle, centre.x - outer.cx / 2, centre.y - outer.cy / 2,
                            outer.cx, outer.cy, owner))
        return;
    ::ShowWindow(hwnd(), SW_SHOW);
    ::UpdateWindow(hwnd());
}

void SettingsDialog::ShowModal(HWND owner) {
    // The owner is disabled before the dialog shows, as a system dialog box's
    // is: the dialog is never up while its owner still takes input.
    const bool ownerWasEnabled = owner && !::EnableWindow(owner, FALSE);
    Open(owner);
    if (exists()) RunModalLoop(hwnd(), owner);
    if (ownerWasEnabled) ::EnableWindow(owner, TRUE);
}

void SettingsDialog::BringToFront() {
    if (!exists()) return;
    if (::IsIconic(hwnd())) ::ShowWindow(hwnd(), SW_RESTORE);
    ::SetForegroundWindow(hwnd());
}

void SettingsDialog::Close() {
    if (exists()) ::DestroyWindow(hwnd());
}

SIZE SettingsDialog::ClientSize(Dpi dpi) { return {dpi.Px(kClientWidth), dpi.Px(kClientHeight)}; }

HWND SettingsDialog::AddControl(const wchar_t* className, const wchar_t* text, DWORD style, HWND container,
                                int left, int top, int width, int height) {
    const HWND control = ::CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
                                           dpi_.Px(left), dpi_.Px(top), dpi_.Px(width), dpi_.Px(height), container,
                                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlId)),
                                           ::GetModuleHandleW(nullptr), nullptr);
    placed_.push_back({control, left, top, width, height});
    return control;
}

template <typename Control, typename... Properties>
void SettingsDialog::Place(Control& control, HWND container, int left, int top, int width, int height,
                           Properties... properties) {
    control.Create(container, kControlId, dpi_.Px(left), dpi_.Px(top), dpi_.Px(width), dpi_.Px(height),
                   properties...);
    placed_.push_back({control.hwnd(), left, top, width, height});
}

void SettingsDialog::Layout(Dpi dpi) {
    const std::int32_t barWidth = pTask_.Width();
    dpi_ = dpi;
    for (const Placed& at : placed_)
        ::MoveWindow(at.control, dpi.Px(at.left), dpi.Px(at.top), dpi.Px(at.width), dpi.Px(at.height), TRUE);
    for (cFrame& frame : cFr_) frame.SetDpi(dpi);
    font_ = CreateUiFont(dpi);
    SetFontOfChildren(hwnd(), static_cast<HFONT>(font_.get()));
    FitListHeight(cmbMenu_, dpi.Px(kListHeight));
    FitListHeight(cmbKeys_, dpi.Px(kListHeight));
    editor_.slider().Rescale(barWidth, pTask_.Width());
}

HWND SettingsDialog::AddLabel(const wchar_t* text, HWND container, int left, int top) {
    return AddControl(L"STATIC", text, SS_LEFTNOWORDWRAP | SS_NOPREFIX, container, left, top, 2595, 255);
}

HWND SettingsDialog::AddList(HWND container, const wchar_t* const* items, int count) {
    // The list reaches 2 pixels past every edge of its container, which cuts
    // off its 3-D border. The height given here is that of the open list.
    HWND list = AddControl(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, container, -30, -30, 3015,
                           kListHeight + 300 * count);
    for (int i = 0; i < count; ++i) ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i]));
    return list;
}

void SettingsDialog::CreateControls() {
    // Places in twips. Created in tab order: Tab follows the order of the
    // windows, and every new window goes below its earlier siblings. Only
    // this window's controls are laid out: the handles of an earlier
    // opening's are gone, and the system may have given them to any window.
    placed_.clear();
    HWND dialog = hwnd();
    Place(cFr_[1], dialog, 90, 120, 5835, 1215, kRaised);
    chkStart_ = AddControl(L"BUTTON", kStartText, BS_AUTOCHECKBOX | WS_TABSTOP, cFr_[1].hwnd(), 180, 180, 3735, 225);
    chkRemember_ =
        AddControl(L"BUTTON", kRememberText, BS_AUTOCHECKBOX | WS_TABSTOP, cFr_[1].hwnd(), 180, 510, 5385, 225);
    chkBeep_ = AddControl(L"BUTTON", kBeepText, BS_AUTOCHECKBOX | WS_TABSTOP, cFr_[1].hwnd(), 180, 840, 2085, 225);

    Place(cFr_[2], dialog, 90, 1380, 5835, 975, kRaised);
    const HWND popupLabel = AddLabel(kPopupLabel, cFr_[2].hwnd(), 180, 195);
    Place(cFr_[3], cFr_[2].hwnd(), 2670, 150, 2985, 300, kSunken2);
    Place(pDum_[1], cFr_[3].hwnd(), 30, 30, 2940, 240);
    cmbMenu_ = AddList(pDum_[1].hwnd(), kPopupKeyTexts, kPopupKeyItems);
    const HWND hotKeyLabel = AddLabel(kHotKeyLabel, cFr_[2].hwnd(), 210, 600);
    Place(cFr_[4], cFr_[2].hwnd(), 2670, 540, 2985, 300, kSunken2);
    Place(pDum_[2], cFr_[4].hwnd(), 30, 30, 2940, 240);
    cmbKeys_ = AddList(pDum_[2].hwnd(), kHotKeyTexts, kHotKeyItems);

    // The four buttons overlap by a pixel and lose their top and bottom
    // edges to pDum(0): one seamless strip. None is a default button.
    Place(cFr_[0], dialog, 90, 2970, 5835, 510, kRaised);
    Place(pDum_[0], cFr_[0].hwnd(), 60, 60, 5715, 390);
    const DWORD button = BS_PUSHBUTTON | WS_TABSTOP;
    cmdSave_ = AddControl(L"BUTTON", kSaveText, button, pDum_[0].hwnd(), 0, -30, 1410, 435);
    cmdAbout_ = AddControl(L"BUTTON", kAboutText, button, pDum_[0].hwnd(), 1395, -30, 1455, 435);
    cmdHelp_ = AddControl(L"BUTTON", kHelpText, button, pDum_[0].hwnd(), 2835, -30, 1455, 435);
    cmdCancel_ = AddControl(L"BUTTON", kCancelText, button, pDum_[0].hwnd(), 4275, -30, 1455, 435);

    Place(cFr_[5], dialog, 90, 2400, 5835, 510, kRaised);
    const HWND taskbarLabel = AddLabel(kTaskbarLabel, cFr_[5].hwnd(), 180, 150);
    Place(cFr_[6], cFr_[5].hwnd(), 2670, 120, 2985, 285, kSunken1);
    Place(pTask_, cFr_[6].hwnd(), 15, 15, 2955, 255);

    // The labels reach 7 to 9 pixels into the sunken frames beside them.
    // Like text drawn on the container's own surface, they go below every
    // other control, so that the frames cover them.
    for (HWND label : {popupLabel, hotKeyLabel, taskbarLabel})
        ::SetWindowPos(label, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    Layout(dpi_);
    focus_ = chkStart_;
}

void SettingsDialog::OnLoad() {
    ShowChoices(editor_.Load(FromHwnd(hwnd()), pTask_.Width()));
    pTask_.DrawSlider();
}

void SettingsDialog::ShowChoices(const SettingsChoices& choices) {
    const auto check = [](HWND box, bool on) {
        ::SendMessageW(box, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    };
    check(chkStart_, choices.startWithWindows);
    check(chkRemember_, choices.remember);
    check(chkBeep_, choices.beep);
    // -1 selects nothing.
    ::SendMessageW(cmbMenu_, CB_SETCURSEL, static_cast<WPARAM>(choices.popupKeys), 0);
    ::SendMessageW(cmbKeys_, CB_SETCURSEL, static_cast<WPARAM>(choices.hotKeys), 0);
}

SettingsChoices SettingsDialog::ReadChoices() const {
    // Only the checked state counts as checked.
    const auto checked = [](HWND box) { return ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; };
    SettingsChoices choices;
    choices.startWithWindows = checked(chkStart_);
    choices.remember = checked(chkRemember_);
    choices.beep = checked(chkBeep_);
    choices.popupKeys = static_cast<int>(::SendMessageW(cmbMenu_, CB_GETCURSEL, 0, 0));  // CB_ERR is -1
    choices.hotKeys = static_cast<int>(::SendMessageW(cmbKeys_, CB_GETCURSEL, 0, 0));
    return choices;
}

void SettingsDialog::Tell(const std::wstring& text) {
    const ModalLoopScope modal;
    ::MessageBoxW(hwnd(), text.c_str(), L"Lumvale", MB_OK | MB_ICONEXCLAMATION);
}

void SettingsDialog::Save() {
    const SettingsEditor::Saved saved = editor_.Save(ReadChoices(), pTask_.Width(), StartupCommandForModule(ModulePath()));
    // What could not be stored is said, and the dialog stays open with the
    // choices, rather than closing as if they were kept.
    if (!saved.stored) return Tell(kSettingsRefused);
    if (saved.startup.outcome != StartupOutcome::AsAsked) {
        // The box shows what holds, and the user is told why.
        ::SendMessageW(chkStart_, BM_SETCHECK, StartsWithWindows(platform_) ? BST_CHECKED : BST_UNCHECKED, 0);
        switch (saved.startup.outcome) {
            case StartupOutcome::OtherProgram: Tell(kStartOther + saved.startup.other); break;
            case StartupOutcome::SwitchedOff: Tell(kStartSwitchedOff); break;
            default: Tell(kStartRefused); break;
        }
    }
    Close();
}

void SettingsDialog::OnCommand(HWND control, WORD code) {
    if (code != BN_CLICKED || control == nullptr) return;
    if (control == cmdSave_) {
        Save();
    } else if (control == cmdCancel_) {
        Close();
    } else if (control == cmdAbout_) {
        if (showAbout_) showAbout_();
    } else if (control == cmdHelp_) {
        ShowHelp(platform_);
    }
}

void SettingsDialog::OnActivate(bool active) {
    if (!active) {
        HWND focus = ::GetFocus();
        if (focus && ::IsChild(hwnd(), focus)) focus_ = focus;
    } else if (focus_ && ::IsWindow(focus_)) {
        ::SetFocus(focus_);
    }
}

LRESULT SettingsDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            dpi_ = DpiOf(hwnd());
            CreateControls();
            OnLoad();
            return 0;
        case kDpiChangedMessage: {
            // Moved to a monitor of another scale: laid out anew, at the
            // place the system suggests.
            Layout(Dpi{HIWORD(wParam)});
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            const SIZE outer = OuterSize(ClientSize(dpi_), kStyle, kExStyle, dpi_);
            ::SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, outer.cx, outer.cy,
                           SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_COMMAND:
            // Notifications of the controls arrive through their containers;
            // they are told apart by their window, not their id.
            OnCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
            return 0;
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_SETFOCUS:
            OnActivate(true);
            return 0;
        case WM_CLOSE:
            Close();
            return 0;
        default:
            return WindowBase::HandleMessage(message, wParam, lParam);
    }
}

}  // namespace lumvale
