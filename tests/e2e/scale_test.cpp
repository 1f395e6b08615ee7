// The windows at 100%, 125% and 150% display scale: each grows with the
// display, and every control's text fits it.
#include "driver.h"

#include <cwchar>

namespace e2e {
namespace {

const std::wstring kDesktop = L"Control Panel\\Desktop";

class Scale : public Scenario {
protected:
    void TearDown() override {
        SetDpi(96);
        Scenario::TearDown();
    }
    // Programs started from now on see the display at `dpi`.
    static void SetDpi(DWORD dpi) {
        ::RegSetKeyValueW(HKEY_CURRENT_USER, kDesktop.c_str(), L"LogPixels", REG_DWORD, &dpi, sizeof(dpi));
    }
};

// The texts of a window's controls that do not fit them in the program's
// 9-point face at `dpi`, trailing blanks aside.
std::wstring CutTexts(HWND window, int dpi) {
    std::wstring cut;
    HDC dc = ::GetDC(nullptr);
    HFONT font = ::CreateFontW(-::MulDiv(9, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                               0, 0, L"宋体");
    const HGDIOBJ previous = ::SelectObject(dc, font);
    const auto check = [&](HWND control, std::wstring text, int room) {
        text.erase(text.find_last_not_of(L' ') + 1);
        SIZE size{};
        ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        if (size.cx > room) cut += text + L" (" + std::to_wstring(size.cx) + L" > " + std::to_wstring(room) + L"); ";
    };
    for (const wchar_t* kind : {L"Static", L"Button", L"ComboBox"}) {
        for (HWND control : Children(window, kind)) {
            RECT client{};
            ::GetClientRect(control, &client);
            const bool box = (::GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX;
            // Room beside a check box's box, or a list's arrow.
            const int room = client.right - (box && kind[0] == L'B' ? 16 * dpi / 96 : 0);
            if (kind[0] != L'C') {
                check(control, TextOf(control), room);
                continue;
            }
            for (LRESULT item = 0; item < ::SendMessageW(control, CB_GETCOUNT, 0, 0); ++item) {
                wchar_t text[256] = {};
                ::SendMessageW(control, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text));
                check(control, text, room - 21 * dpi / 96);
            }
        }
    }
    ::SelectObject(dc, previous);
    ::DeleteObject(font);
    ::ReleaseDC(nullptr, dc);
    return cut;
}

SIZE ClientOf(HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    return {client.right, client.bottom};
}

TEST_F(Scale, EveryWindowGrowsWithTheDisplayAndNoTextIsCut) {
    for (const int dpi : {96, 120, 144}) {
        SetDpi(dpi);
        Lumvale lumvale;
        const auto expectSize = [&](HWND window, int width, int height, const wchar_t* name) {
            const std::string what = std::string(name, name + std::wcslen(name)) + " at " + std::to_string(dpi);
            ASSERT_NE(window, nullptr) << what;
            const SIZE client = ClientOf(window);
            EXPECT_NEAR(client.cx, width * dpi / 1440, 2) << what;
            EXPECT_NEAR(client.cy, height * dpi / 1440, 2) << what;
            const std::wstring cut = CutTexts(window, dpi);
            EXPECT_TRUE(cut.empty()) << what;
            if (!cut.empty()) std::printf("%s, texts cut: %ls\n", what.c_str(), cut.c_str());
            if (dpi == 144) Screenshot(name);
        };
        Notepad notepad;
        Click({RectOf(notepad.window()).left + 150, RectOf(notepad.window()).bottom - 10}, true);
        HWND popup = nullptr;
        WaitUntil([&] { return (popup = lumvale.Window(L"LumvalePopup")) != nullptr; });
        expectSize(popup, 1650, 3585, L"popup-150");
        Click({900, 700});

        const HWND dialog = lumvale.FromTray(1, L"LumvaleSettings");
        expectSize(dialog, 6015, 3600, L"settings-150");
        Click(Child(dialog, L"Button", L"关于  "));
        HWND about = nullptr;
        WaitUntil([&] { return (about = lumvale.Window(L"LumvaleAbout")) != nullptr; });
        expectSize(about, 6915, 3810, L"about-150");
        EXPECT_TRUE(lumvale.Exit());
    }
}

}  // namespace
}  // namespace e2e
