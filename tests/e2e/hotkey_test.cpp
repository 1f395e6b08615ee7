// The digit hot-keys and remembered opacities, with real keys.
#include <gtest/gtest.h>

#include <algorithm>

#include "scenario.h"

namespace e2e {
namespace {

class HotKeys : public Scenario {
protected:
};

bool Logged(const TargetWindow& target, WPARAM key) {
    const auto& keys = target.keysDown();
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

TEST_F(HotKeys, CtrlShiftDigitsSetTheGlassOfTheWindowInFrontWithoutSwallowingTheKey) {
    Lumvale lumvale;
    TargetWindow target;
    PressChord({VK_CONTROL, VK_SHIFT, '3'});
    EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(target.get()) == 150; }));
    EXPECT_TRUE(WaitUntil([&] { return Logged(target, '3'); })) << "the window in front still gets the key";

    PressChord({VK_CONTROL, VK_SHIFT, '0'});
    EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(target.get()) == -1; }));

    // 0 and 4 together give level 4; keypad digits are not hot-keys; an
    // extra Alt does not matter.
    PressChord({VK_CONTROL, VK_SHIFT, '0', '4'});
    EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(target.get()) == 165; }));
    PressChord({VK_CONTROL, VK_SHIFT, VK_NUMPAD2}, 300);
    PumpMessages(300);
    EXPECT_EQ(LayeredAlpha(target.get()), 165);
    PressChord({VK_CONTROL, VK_SHIFT, VK_MENU, '5'});
    EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(target.get()) == 180; }));
    // 2 and 7 together give level 2: the scan stops at the lowest digit.
    // (7 is left unqueried, so its "pressed since the last query" bit
    // would count at the next scan that reaches it; this test ends here.)
    PressChord({VK_CONTROL, VK_SHIFT, '7', '2'});
    EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(target.get()) == 135; }));
}

TEST_F(HotKeys, NotepadTypesOnWhileItsGlassChanges) {
    WriteValue(kSettingsSection, L"KS", L"3");  // Shift alone
    Lumvale lumvale;
    Notepad notepad;
    ::SendMessageW(notepad.edit(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    PressChord({VK_SHIFT, '7'});
    EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(notepad.window()) == 210; }));
    EXPECT_TRUE(WaitUntil([&] { return TextOf(notepad.edit()) == L"&"; })) << "Shift + 7 still types";
    Screenshot(L"hotkey-notepad");
}

TEST_F(HotKeys, EachCombinationIndexReactsToItsOwnModifiers) {
    // Index: the modifiers it needs (Alt 1, Ctrl 2, Shift 4); 0 and 9 are off.
    const unsigned needs[] = {0, 1, 2, 4, 3, 5, 6, 7, 0, 0};
    const WORD keys[] = {VK_MENU, VK_CONTROL, VK_SHIFT};
    for (int index = 0; index <= 9; ++index) {
        WriteValue(kSettingsSection, L"KS", std::to_wstring(index));
        Lumvale lumvale;
        TargetWindow target;
        for (unsigned held = 1; held < 8; ++held) {
            // Reset the window, then press the combination with a digit.
            ::SetWindowLongW(target.get(), GWL_EXSTYLE, ::GetWindowLongW(target.get(), GWL_EXSTYLE) & ~WS_EX_LAYERED);
            target.BringToFront();
            std::vector<WORD> chord;
            for (int bit = 0; bit < 3; ++bit)
                if (held & (1u << bit)) chord.push_back(keys[bit]);
            chord.push_back('1');
            PressChord(chord, 200);
            const bool enabled = index >= 1 && index <= 7;
            const bool expected = enabled && (held & needs[index]) == needs[index];
            if (expected)
                EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(target.get()) == 120; }, 2000)) << index << "/" << held;
            else {
                PumpMessages(250);
                EXPECT_EQ(LayeredAlpha(target.get()), -1) << index << "/" << held;
            }
        }
        EXPECT_TRUE(lumvale.Close());
    }
}

TEST_F(HotKeys, RememberedRecordsFollowHotKeysAndComeBackInTheNextRun) {
    WriteValue(kSettingsSection, kRememberKey, L"1");
    {
        Lumvale lumvale;
        Notepad notepad;
        PressChord({VK_CONTROL, VK_SHIFT, '2'});
        EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(notepad.window()) == 135; }));
        EXPECT_TRUE(WaitUntil([&] { return ReadValue(L"Wins", L"notepad.exeNotepad") == L"1"; }));
        // The hot-key writes no run record, but now that a record exists the
        // next tick re-applies it and notes the window as handled.
        const std::wstring key = std::to_wstring(reinterpret_cast<INT_PTR>(notepad.window()));
        EXPECT_TRUE(WaitUntil([&] { return ReadValue(L"Temp", key) == L"1"; }))
            << std::string(key.begin(), key.end()) << " " << ReadValue(L"Temp", key).has_value();
        EXPECT_TRUE(lumvale.Close());
    }
    // The next run gives a new notepad window the remembered alpha the first
    // time it is in front, and notes it in the run records.
    WriteValue(kSettingsSection, kRememberKey, L"0");
    Lumvale lumvale;
    Notepad notepad;
    EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(notepad.window()) == 135; }));
    const std::wstring key = std::to_wstring(reinterpret_cast<INT_PTR>(notepad.window()));
    EXPECT_TRUE(WaitUntil([&] { return ReadValue(L"Temp", key) == L"1"; }));
    // Handled once: a hot-key change is kept, and it updates the record.
    PressChord({VK_CONTROL, VK_SHIFT, '9'});
    EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(notepad.window()) == 240; }));
    PumpMessages(300);
    EXPECT_EQ(LayeredAlpha(notepad.window()), 240);
    EXPECT_EQ(ReadValue(L"Wins", L"notepad.exeNotepad"), L"8");
}

TEST_F(HotKeys, ARecordOfNoGlassMarksTheWindowHandledAndLeavesIt) {
    WriteValue(L"Wins", L"e2e_tests.exeLumvaleE2ETarget", L"-1");
    Lumvale lumvale;
    TargetWindow target;
    ::SetWindowLongW(target.get(), GWL_EXSTYLE, ::GetWindowLongW(target.get(), GWL_EXSTYLE) | WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(target.get(), 0, 99, LWA_ALPHA);
    target.BringToFront();
    const std::wstring key = std::to_wstring(reinterpret_cast<INT_PTR>(target.get()));
    EXPECT_TRUE(WaitUntil([&] { return ReadValue(L"Temp", key) == L"-1"; }));
    PumpMessages(300);
    EXPECT_EQ(LayeredAlpha(target.get()), 99);
}

TEST_F(HotKeys, WithRememberingOffNothingIsWritten) {
    Lumvale lumvale;
    TargetWindow target;
    PressChord({VK_CONTROL, VK_SHIFT, '6'});
    EXPECT_TRUE(WaitUntil([&] { return LayeredAlpha(target.get()) == 195; }));
    PumpMessages(200);
    EXPECT_FALSE(SectionExists(L"Wins"));
}

}  // namespace
}  // namespace e2e
