// cFrame as a real control: its pixels, its band above contained controls,
// its notifications.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "controls/frame.h"
#include "win32_test_util.h"

namespace lumvale {
namespace {

using win32test::ClickAt;
using Picture = std::vector<std::string>;

// A 31 by 29 raised frame with a band of 3. H highlight, S shadow, F band
// panel (button face), B the control's own background.
Picture Raised31By29(char back = 'B') {
    const std::string face(29, 'F');
    Picture rows{std::string(30, 'H') + "S", "H" + face + "S", "H" + face + "S", "HFFS" + std::string(23, 'S') + "HFFS"};
    rows.insert(rows.end(), 21, "HFFS" + std::string(23, back) + "HF" + back + "S");
    rows.insert(rows.end(), {"HFF" + std::string(25, 'H') + "FFS", "H" + face + "S", "H" + face + "S"});
    rows.push_back(std::string(31, 'S'));
    return rows;
}

Picture Swapped(Picture rows) {
    for (auto& row : rows)
        for (char& c : row) c = c == 'H' ? 'S' : c == 'S' ? 'H' : c;
    return rows;
}

RECT PanelRect(const cFrame& frame, int panel) {
    RECT rect{};
    ::GetWindowRect(frame.L2(panel), &rect);
    ::MapWindowPoints(nullptr, frame.hwnd(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class FrameTest : public ::testing::Test {
protected:
    static constexpr COLORREF kBack = RGB(20, 140, 90);

    FrameTest() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &FrameTest::HostProcedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = L"LumvaleFrameTestHost";
        ::RegisterClassW(&windowClass);
        host = ::CreateWindowExW(0, windowClass.lpszClassName, L"frames", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40,
                                 40, 420, 260, nullptr, nullptr, windowClass.hInstance, nullptr);
        ::SetWindowLongPtrW(host, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&commands));
        ::SetForegroundWindow(host);
        legend = {{::GetSysColor(COLOR_3DHIGHLIGHT), 'H'}, {::GetSysColor(COLOR_3DSHADOW), 'S'},
                  {::GetSysColor(COLOR_BTNFACE), 'F'}, {kBack, 'B'}, {::GetSysColor(COLOR_HIGHLIGHT), 'C'}};
    }
    ~FrameTest() override { ::DestroyWindow(host); }

    // Records the host's WM_COMMAND messages.
    static LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* log = reinterpret_cast<std::vector<std::pair<WPARAM, LPARAM>>*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (log && message == WM_COMMAND) log->emplace_back(wParam, lParam);
        return ::DefWindowProcW(window, message, wParam, lParam);
    }

    std::unique_ptr<cFrame> MakeFrame(int x, int y, int width, int height, std::int32_t edge,
                                      std::int16_t borderWidth, int id = 0, HWND parent = nullptr) {
        auto frame = std::make_unique<cFrame>();
        EXPECT_TRUE(frame->Create(parent ? parent : host, id, x, y, width, height, {edge, borderWidth}));
        frame->SetBackColor(kBack);
        return frame;
    }

    // The control's pixels as legend letters, '?' for any other colour.
    Picture PictureOf(const cFrame& frame) {
        const win32test::Pixels pixels = win32test::CaptureClient(frame.hwnd());
        Picture rows(pixels.Height(), std::string(pixels.Width(), '?'));
        for (int y = 0; y < pixels.Height(); ++y) {
            for (int x = 0; x < pixels.Width(); ++x) {
                const auto found = legend.find(pixels.At(x, y));
                if (found != legend.end()) rows[y][x] = found->second;
            }
        }
        return rows;
    }

    HWND host = nullptr;
    std::vector<std::pair<WPARAM, LPARAM>> commands;
    std::map<COLORREF, char> legend;
};

::testing::AssertionResult Same(const Picture& actual, const Picture& expected) {
    if (actual == expected) return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure() << "expected, actual:\n";
    for (size_t y = 0; y < expected.size(); ++y)
        failure << expected[y] << "  " << (y < actual.size() ? actual[y] : "") << "\n";
    return failure;
}

TEST_F(FrameTest, EdgesPaintTheirLinesExactlyWhereTheLayoutPutsThem) {
    ASSERT_EQ(legend.size(), 5u) << "the test's colours must all differ";
    const auto raised = MakeFrame(10, 10, 31, 29, 0, 3);
    const auto sunken = MakeFrame(60, 10, 31, 29, 1, 3);
    const auto other = MakeFrame(110, 10, 31, 29, 2, 3);
    std::unique_ptr<cFrame> wide[] = {MakeFrame(10, 60, 180, 120, 0, 6), MakeFrame(200, 60, 180, 120, 1, 6)};
    for (const auto& frame : wide) {
        frame->SetBackColor(SystemColour(COLOR_BTNFACE));
        ::CreateWindowExW(0, L"BUTTON", L"Inside", WS_CHILD | WS_VISIBLE, 20, 20, 100, 30, frame->hwnd(), nullptr,
                          nullptr, nullptr);
    }
    EXPECT_TRUE(win32test::SaveBitmap(win32test::CaptureClient(host), L"frame-edges"));

    EXPECT_TRUE(Same(PictureOf(*raised), Raised31By29()));
    // Sunken is the raised frame with every colour swapped, corners included.
    EXPECT_TRUE(Same(PictureOf(*sunken), Swapped(Raised31By29())));
    EXPECT_TRUE(Same(PictureOf(*other), Swapped(Raised31By29())));
    raised->SetEdge(5);
    sunken->SetEdge(0);
    EXPECT_TRUE(Same(PictureOf(*raised), Swapped(Raised31By29())));
    EXPECT_TRUE(Same(PictureOf(*sunken), Raised31By29()));
}

TEST_F(FrameTest, BackColorFillsTheSurfaceWithoutMovingAnything) {
    const auto frame = MakeFrame(10, 10, 31, 29, 0, 3);
    frame->SetBackColor(SystemColour(COLOR_BTNFACE));
    EXPECT_TRUE(Same(PictureOf(*frame), Raised31By29('F')));
    RECT before[4];
    for (int i = 0; i < 4; ++i) before[i] = PanelRect(*frame, i);
    frame->SetBackColor(kBack);
    EXPECT_EQ(frame->BackColor(), kBack);
    EXPECT_TRUE(Same(PictureOf(*frame), Raised31By29()));
    for (int i = 0; i < 4; ++i) {
        const RECT after = PanelRect(*frame, i);
        EXPECT_TRUE(::EqualRect(&before[i], &after)) << i;
    }
}

TEST_F(FrameTest, BandCoversContainedControlsAfterEveryLayout) {
    const auto frame = MakeFrame(10, 10, 31, 29, 0, 3);
    // Created after the layout, without WS_CLIPSIBLINGS, reaching into the
    // band on every side.
    WNDCLASSW blockClass{};
    blockClass.lpfnWndProc = ::DefWindowProcW;
    blockClass.hInstance = ::GetModuleHandleW(nullptr);
    blockClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1);
    blockClass.lpszClassName = L"LumvaleFrameTestBlock";
    ::RegisterClassW(&blockClass);
    const HWND block = ::CreateWindowExW(0, blockClass.lpszClassName, L"", WS_CHILD | WS_VISIBLE, 2, 2, 26, 24,
                                         frame->hwnd(), nullptr, blockClass.hInstance, nullptr);
    Picture expected = Raised31By29();
    for (int y = 4; y <= 24; ++y) expected[y].replace(4, 23, 23, 'C');
    EXPECT_TRUE(Same(PictureOf(*frame), expected));

    // Repainted on its own, the block stays below the band.
    ::InvalidateRect(block, nullptr, TRUE);
    ::UpdateWindow(block);
    EXPECT_TRUE(Same(PictureOf(*frame), expected));

    // Raised above the band, it covers it until the next layout.
    ::SetWindowPos(block, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(PictureOf(*frame)[3][3], 'C');
    frame->Refresh();
    EXPECT_TRUE(Same(PictureOf(*frame), expected));
    ::SetWindowPos(block, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    frame->SetBorderWidth(4);
    const Picture wider = PictureOf(*frame);
    for (int y = 1; y < 28; ++y)
        for (int x = 1; x < 30; ++x)
            if (x <= 4 || x >= 26 || y <= 4 || y >= 24) EXPECT_NE(wider[y][x], 'C') << x << "," << y;
    EXPECT_EQ(wider[10][10], 'C');
}

TEST_F(FrameTest, BandWidthFollowsTheLayoutAndItsFailuresLeavePanelsInPlace) {
    cFrame frame;
    ASSERT_TRUE(frame.Create(host, 0, 10, 10, 60, 50, ReadFrameProperties({})));
    EXPECT_EQ(PanelRect(frame, 0).bottom, 1 + 6);
    EXPECT_EQ(PanelRect(frame, 3).right - PanelRect(frame, 3).left, 6 - 1);
    ::SetWindowPos(frame.hwnd(), nullptr, 0, 0, 80, 70, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(PanelRect(frame, 2).top, 70 - 6 - 1);
    EXPECT_EQ(PanelRect(frame, 3).left, 80 - 6 - 1);

    // Band 0: the right panel, which would be -1 wide, stays where it was;
    // negative bands leave every panel in place.
    const auto rects = [&] {
        std::string text;
        for (int i = 0; i < 4; ++i) {
            const RECT r = PanelRect(frame, i);
            text += std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
                    std::to_string(r.bottom) + " ";
        }
        return text;
    };
    frame.SetBorderWidth(0);
    EXPECT_EQ(rects(), "1,1,79,1 1,1,1,69 1,69,79,69 73,1,78,69 ");
    for (const std::int16_t width : {std::int16_t{-3}, std::int16_t{INT16_MIN}}) {
        frame.SetBorderWidth(width);
        EXPECT_EQ(frame.BorderWidth(), width);
        EXPECT_EQ(rects(), "1,1,79,1 1,1,1,69 1,69,79,69 73,1,78,69 ");
    }
    frame.SetBorderWidth(INT16_MAX);
    EXPECT_EQ(PictureOf(frame).size(), 70u);
}

TEST_F(FrameTest, ClicksAndContainedNotificationsReachTheHost) {
    constexpr int kFrameId = 7, kInnerId = 8, kButtonId = 42;
    const auto frame = MakeFrame(10, 10, 120, 80, 1, 6, kFrameId);
    const auto inner = MakeFrame(40, 10, 70, 60, 0, 3, kInnerId, frame->hwnd());
    const HWND button = ::CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE, 10, 10, 40, 30, inner->hwnd(),
                                          reinterpret_cast<HMENU>(kButtonId), nullptr, nullptr);
    const auto command = [](int id, WORD code, HWND from) {
        return std::make_pair(static_cast<WPARAM>(MAKEWPARAM(id, code)), reinterpret_cast<LPARAM>(from));
    };
    ClickAt(frame->hwnd(), 20, 40);
    ClickAt(frame->hwnd(), 3, 40);    // left band panel
    ClickAt(frame->hwnd(), 100, 74);  // bottom band panel
    ClickAt(button, 5, 5);
    ClickAt(inner->hwnd(), 50, 40);
    // Pressed on the surface, released beside it: no click.
    win32test::SendMouse(frame->hwnd(), 20, 40, MOUSEEVENTF_LEFTDOWN);
    win32test::SendMouse(frame->hwnd(), 200, 40, MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(commands, (std::vector<std::pair<WPARAM, LPARAM>>{command(kFrameId, cFrame::kClicked, frame->hwnd()),
                                                                 command(kButtonId, BN_CLICKED, button),
                                                                 command(kInnerId, cFrame::kClicked, inner->hwnd())}));

    // Disabled, the frame and its contents take no clicks.
    commands.clear();
    frame->SetEnabled(false);
    EXPECT_FALSE(frame->Enabled());
    ClickAt(frame->hwnd(), 20, 40);
    ClickAt(button, 5, 5);
    EXPECT_TRUE(commands.empty());
    frame->SetEnabled(true);
    ClickAt(button, 5, 5);
    EXPECT_EQ(commands.size(), 1u);
}

}  // namespace
}  // namespace lumvale
