#include "platform/ui_text.h"

#include <commctrl.h>

namespace lumvale {

namespace {

BOOL CALLBACK SetFontOfChild(HWND child, LPARAM font) {
    ::SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
    return TRUE;
}

}  // namespace

unique_gdi_object CreateUiFont(Dpi dpi, int points) {
    return unique_gdi_object(::CreateFontW(-::MulDiv(points, dpi.value, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, kUiFontFace));
}

void SetFontOfChildren(HWND parent, HFONT font) {
    ::EnumChildWindows(parent, &SetFontOfChild, reinterpret_cast<LPARAM>(font));
}

Tooltips::~Tooltips() {
    if (tooltip_) ::DestroyWindow(tooltip_);
}

void Tooltips::Create(HWND owner) {
    if (tooltip_) return;
    tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
    // Long tips wrap instead of running off the screen.
    ::SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
}

void Tooltips::Set(HWND control, const wchar_t* text) {
    if (!tooltip_ || !control) return;
    TOOLINFOW tool{};
    // The first layout of the record, which every comctl32 version takes.
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = ::GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(text);
    ::SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace lumvale
