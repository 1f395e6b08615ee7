// The windows at 100%, 125% and 150% display scale: each grows with the
// display, and every control's text fits it.
#include "driver.h"

namespace e2e {
namespace {

using Scale = Scenario;

// The texts of a window's controls, trailing blanks aside, that do not fit
// them in their own font beside a check box's box or a list's arrow at `dpi`.
std::wstring CutTexts(HWND window, int dpi) {
    std::wstring cut;
    const HDC dc = ::GetDC(nullptr);
    const HGDIOBJ previous = ::GetCurrentObject(dc, OBJ_FONT);
    for (const wchar_t* kind : {L"Static", L"Button", L"ComboBox"}) {
        for (HWND control : Children(window, kind)) {
            ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0)));
            RECT client{};
            ::GetClientRect(control, &client);
            const bool box = (::GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX && kind[0] == L'B';
            std::vector<std::wstring> texts{TextOf(control)};
            for (LRESULT i = 0; kind[0] == L'C' && i < ::SendMessageW(control, CB_GETCOUNT, 0, 0); ++i) {
                wchar_t item[256] = {};
                ::SendMessageW(control, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
                texts.push_back(item);
            }
            for (std::wstring text : texts) {
                text.erase(text.find_last_not_of(L' ') + 1);
                SIZE size{};
                ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
                if (size.cx > client.right - (box ? 16 : kind[0] == L'C' ? 21 : 0) * dpi / 96) cut += text + L"; ";
            }
        }
    }
    ::SelectObject(dc, previous);
    ::ReleaseDC(nullptr, dc);
    return cut;
}

TEST_F(Scale, EveryWindowGrowsWithTheDisplayAndNoTextIsCut) {
    for (const int dpi : {96, 120, 144}) {
        SetDpi(dpi);
        Lumvale lumvale;
        const auto expectScaled = [&](HWND window, int width, int height, const wchar_t* name) {
            SCOPED_TRACE(::testing::Message() << name << " at " << dpi);
            ASSERT_NE(window, nullptr);
            RECT client{};
            ::GetClientRect(window, &client);
            EXPECT_NEAR(client.right, width * dpi / 1440, 2);
            EXPECT_NEAR(client.bottom, height * dpi / 1440, 2);
            EXPECT_EQ(CutTexts(window, dpi), L"");
            if (dpi == 144) Screenshot(name);
        };
        Notepad notepad;
        Click({RectOf(notepad.window()).left + 150, RectOf(notepad.window()).bottom - 10}, true);
        expectScaled(lumvale.Await(L"LumvalePopup"), 1650, 3585, L"popup-150");
        Click({900, 700});
        const HWND dialog = lumvale.FromTray(1, L"LumvaleSettings");
        expectScaled(dialog, 6015, 3600, L"settings-150");
        Click(Child(dialog, L"Button", L"关于  "));
        expectScaled(lumvale.Await(L"LumvaleAbout"), 6915, 3810, L"about-150");
        EXPECT_TRUE(lumvale.Exit());
    }
}

}  // namespace
}  // namespace e2e
