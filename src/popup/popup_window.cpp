#include "popup/popup_window.h"

#include <commctrl.h>

namespace lumvale {
namespace {

constexpr wchar_t kClassName[] = L"LumvalePopup";

// The controls' notifications are posted on to the window as this message,
// so that a choice is acted on from the message loop: never from inside the
// list's or a button's own code, which a closing popup would destroy.
constexpr UINT kChoiceMessage = WM_APP + 1;

// Control ids; 1 and 2 are left out, the dialog keys would send them.
enum : int { kIdExe = 101, kIdList, kIdNoGlass, kIdTop, kIdAlways, kIdClass, kIdFrame0, kIdFrame1, kIdFrame2,
             kIdDummy0, kIdDummy1, kIdThrough };

// Texts of the window, trailing blanks included.
constexpr const wchar_t* kPercentItems[] = {L"10%", L"20%", L"30%", L"40%", L"50%",
                                            L"60%", L"70%", L"80%", L"90%"};
const std::wstring kListTip = L"请选择透明度 （10%非常透明，90%接近不透明）" + std::wstring(36, L' ');
const std::wstring kNoGlassCaption = L"取消所有设定" + std::wstring(3, L' ');
const std::wstring kNoGlassTip = L"使本窗口不透明" + std::wstring(35, L' ');
const std::wstring kTopCaption = L"最上" + std::wstring(2, L' ');
const std::wstring kTopTip = L"选择这项将使本窗口在Windows所有窗口之上" + std::wstring(27, L' ');
constexpr wchar_t kAlwaysCaption[] = L"保存";
const std::wstring kAlwaysTip = L"选择这项将永久使Windows 保持透明" + std::wstring(25, L' ');
constexpr wchar_t kThroughCaption[] = L"穿透";
constexpr wchar_t kThroughTip[] = L"选择这项将使鼠标点击穿过本窗口，落到下面的窗口上";

// The client area in twips. The row of "穿透" under "最上" and "保存" makes
// the frame of the buttons, and the popup, one row taller.
constexpr int kRow = 390;
constexpr int kClientWidth = 1650;
constexpr int kClientHeight = 3585 + kRow;
// Between the pointer and the popup's right and top edges.
constexpr int kPointerGap = 120;
constexpr DWORD kStyle = WS_POPUP | WS_DLGFRAME | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;

HWND CreateControl(const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle, int id, HWND parent,
                   Dpi dpi, int left, int top, int width, int height) {
    return ::CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, dpi.Px(left),
                             dpi.Px(top), dpi.Px(width), dpi.Px(height), parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

std::shared_ptr<PopupWindow> PopupWindow::Open(PopupLogic& logic, Glass& glass, Platform& platform,
                                               const PopupContent& content, HWND owner) {
    std::shared_ptr<PopupWindow> popup(new PopupWindow(logic, glass, platform));
    if (!popup->Create(owner)) return nullptr;
    popup->filling_ = true;
    popup->Fill(content);
    popup->PlaceNearCursor();
    popup->ShowActivated();
    PopupLogic::MakeTopmost(platform, FromHwnd(popup->hwnd()));
    glass.SetWindowAlpha(FromHwnd(popup->hwnd()), 240);
    ::SetFocus(popup->lstPercent_);
    popup->filling_ = false;
    return popup;
}

bool PopupWindow::Create(HWND owner) {
    RegisterClassOnce(kClassName, ::GetSysColorBrush(COLOR_BTNFACE));
    // Made on the pointer's monitor, at its scale: the popup opens there.
    const Point cursor = platform_.GetCursorPos();
    dpi_ = DpiAt({cursor.x, cursor.y});
    const SIZE outer = OuterSize({dpi_.Px(kClientWidth), dpi_.Px(kClientHeight)}, kStyle, kExStyle, dpi_);
    if (!CreateWindowObject(kExStyle, kClassName, L"", kStyle, cursor.x, cursor.y, outer.cx, outer.cy, owner))
        return false;
    dpi_ = DpiOf(hwnd());
    CreateControls();
    return true;
}

void PopupWindow::CreateControls() {
    const HWND window = hwnd();
    const Dpi dpi = dpi_;
    font_ = CreateUiFont(dpi);
    cFrame_[2].Create(window, kIdFrame2, dpi.Px(90), dpi.Px(60), dpi.Px(1440), dpi.Px(315), {1, 1});
    lbExe_ = CreateControl(L"STATIC", L"", SS_CENTER | SS_NOPREFIX, 0, kIdExe, cFrame_[2].hwnd(), dpi, 60, 60, 1335,
                           225);

    cFrame_[0].Create(window, kIdFrame0, dpi.Px(90), dpi.Px(420), dpi.Px(1440), dpi.Px(1875), {0, 3});
    pDummy_[0].Create(cFrame_[0].hwnd(), kIdDummy0, dpi.Px(60), dpi.Px(60), dpi.Px(1305), dpi.Px(1785));
    // The container cuts off the list's own border.
    lstPercent_ = CreateControl(L"LISTBOX", L"", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                                WS_EX_CLIENTEDGE, kIdList, pDummy_[0].hwnd(), dpi, -30, -30, 1365, 1815);
    for (const wchar_t* item : kPercentItems)
        ::SendMessageW(lstPercent_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));

    cFrame_[1].Create(window, kIdFrame1, dpi.Px(90), dpi.Px(2370), dpi.Px(1440), dpi.Px(900 + kRow), {0, 3});
    // In front of the frame, within its rectangle.
    pDummy_[1].Create(window, kIdDummy1, dpi.Px(150), dpi.Px(2430), dpi.Px(1320), dpi.Px(780 + kRow));
    ::SetWindowPos(pDummy_[1].hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const HWND buttons = pDummy_[1].hwnd();
    cmdNoGlass_ = CreateControl(L"BUTTON", kNoGlassCaption.c_str(), BS_PUSHBUTTON | WS_TABSTOP, 0, kIdNoGlass,
                                buttons, dpi, 0, 0, 1335, 405);
    chkTop_ = CreateControl(L"BUTTON", kTopCaption.c_str(), BS_AUTOCHECKBOX | WS_TABSTOP, 0, kIdTop, buttons, dpi, 0,
                            390, 685, 405);
    chkAlways_ = CreateControl(L"BUTTON", kAlwaysCaption, BS_AUTOCHECKBOX | WS_TABSTOP, 0, kIdAlways, buttons, dpi,
                               675, 390, 670, 405);
    chkThrough_ = CreateControl(L"BUTTON", kThroughCaption, BS_AUTOCHECKBOX | WS_TABSTOP, 0, kIdThrough, buttons, dpi,
                                0, 390 + kRow, 685, 405);

    // SS_NOTIFY lets the label see the pointer, so that its tooltip shows.
    lbClass_ = CreateControl(L"STATIC", L"", SS_CENTER | SS_NOPREFIX | SS_NOTIFY, 0, kIdClass, window, dpi, 90,
                             3330 + kRow, 1425, 225);
    ::SetWindowPos(lbClass_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (cFrame& frame : cFrame_) frame.SetDpi(dpi);

    SetFontOfChildren(window, static_cast<HFONT>(font_.get()));
    // All nine entries fit the list, as they do with the 12-pixel SimSun;
    // a CJK face with taller lines would otherwise push "90%" out of view.
    RECT listClient{};
    ::GetClientRect(lstPercent_, &listClient);
    ::SendMessageW(lstPercent_, LB_SETITEMHEIGHT, 0, listClient.bottom / kListEntries);
    tooltips_.Create(window);
    tooltips_.Set(lstPercent_, kListTip.c_str());
    tooltips_.Set(cmdNoGlass_, kNoGlassTip.c_str());
    tooltips_.Set(chkTop_, kTopTip.c_str());
    tooltips_.Set(chkAlways_, kAlwaysTip.c_str());
    tooltips_.Set(chkThrough_, kThroughTip);
}

void PopupWindow::Fill(const PopupContent& content) {
    ::SetWindowTextW(lbExe_, content.exeCaption.c_str());
    classTooltip_ = content.classTooltip;
    tooltips_.Set(lbClass_, classTooltip_.c_str());
    ::SetWindowTextW(lbClass_, content.classCaption.c_str());
    if (content.alwaysTicked) ::SendMessageW(chkAlways_, BM_SETCHECK, BST_CHECKED, 0);
    ::EnableWindow(chkAlways_, content.alwaysEnabled);
    ::SendMessageW(lstPercent_, LB_SETCURSEL, static_cast<WPARAM>(content.listIndex), 0);
    if (content.topTicked) ::SendMessageW(chkTop_, BM_SETCHECK, BST_CHECKED, 0);
    if (content.throughTicked) ::SendMessageW(chkThrough_, BM_SETCHECK, BST_CHECKED, 0);
    ::EnableWindow(chkThrough_, content.throughEnabled);
}

void PopupWindow::PlaceNearCursor() {
    RECT outer{};
    ::GetWindowRect(hwnd(), &outer);
    const Point cursor = platform_.GetCursorPos();
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    RECT work{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (::GetMonitorInfoW(::MonitorFromPoint(POINT{cursor.x, cursor.y}, MONITOR_DEFAULTTONEAREST), &monitor))
        work = monitor.rcWork;
    const Point at = PopupPosition(cursor, {outer.right - outer.left, outer.bottom - outer.top},
                                   {work.left, work.top, work.right, work.bottom}, dpi_.Px(kPointerGap));
    ::SetWindowPos(hwnd(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PopupWindow::ShowActivated() {
    ::ShowWindow(hwnd(), SW_SHOW);
    // A program in the background may not take the foreground on its own;
    // joining the input of the window in front lets the popup take it. A
    // window that does not answer is not joined: its thread would hold ours.
    const DWORD ownThread = ::GetCurrentThreadId();
    const HWND front = ::GetForegroundWindow();
    const DWORD frontThread = ::GetWindowThreadProcessId(front, nullptr);
    const bool join = frontThread != 0 && frontThread != ownThread && glass_.Answers(FromHwnd(front));
    if (join) ::AttachThreadInput(ownThread, frontThread, TRUE);
    ::SetForegroundWindow(hwnd());
    if (join) ::AttachThreadInput(ownThread, frontThread, FALSE);
}

void PopupWindow::Close() {
    if (!exists()) return;
    // A closing window that is active hands the foreground to the next
    // window in the z-order, even a topmost one that never takes the focus,
    // and under Wine even after another program's window came to the front
    // (until this thread hears of it). So the popup gives it back to its
    // target where it has it, and otherwise gives up being active first.
    if (::GetForegroundWindow() == hwnd())
        ::SetForegroundWindow(ToHwnd(logic_.target()));
    else if (::GetActiveWindow() == hwnd())
        ::SetActiveWindow(nullptr);
    ::DestroyWindow(hwnd());
}

bool PopupWindow::Checked(HWND box) const { return ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

PopupChoice PopupWindow::CurrentChoice() const {
    const LRESULT selected = ::SendMessageW(lstPercent_, LB_GETCURSEL, 0, 0);
    PopupChoice choice;
    choice.listIndex = selected == LB_ERR ? kNoListSelection : static_cast<std::int16_t>(selected);
    choice.top = Checked(chkTop_);
    choice.always = Checked(chkAlways_);
    choice.through = Checked(chkThrough_);
    return choice;
}

void PopupWindow::OnCommand(int id, int code) {
    if (id == kIdList && code == LBN_SELCHANGE) {
        // Closes the popup: no control is touched after this.
        logic_.ListChoice(CurrentChoice());
    } else if (id == kIdTop && code == BN_CLICKED) {
        logic_.TopClicked(CurrentChoice());
    } else if (id == kIdThrough && code == BN_CLICKED) {
        logic_.ThroughClicked(CurrentChoice());
    } else if (id == kIdAlways && code == BN_CLICKED) {
        logic_.AlwaysClicked(CurrentChoice());
    } else if (id == kIdNoGlass && code == BN_CLICKED) {
        ::SendMessageW(lstPercent_, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        logic_.NoGlass(CurrentChoice());
    }
}

LRESULT PopupWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (!filling_) ::PostMessageW(hwnd(), kChoiceMessage, wParam, lParam);
            return 0;
        case kChoiceMessage: {
            const std::shared_ptr<PopupWindow> running = weak_from_this().lock();
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        }
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(lParam) == lbClass_) {
                HDC dc = reinterpret_cast<HDC>(wParam);
                ::SetTextColor(dc, ::GetSysColor(COLOR_HIGHLIGHT));
                ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
                return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
            }
            return WindowBase::HandleMessage(message, wParam, lParam);
        case WM_CLOSE:
            Close();
            return 0;
        default:
            return WindowBase::HandleMessage(message, wParam, lParam);
    }
}

}  // namespace lumvale
