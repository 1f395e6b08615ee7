// The readers of stored settings and records, driven through the fake
// platform with stored texts from the fuzzer. An input is lines of
// "Name=text"; a name that is absent leaves its value missing from the store.
// One row of kReaders per reader; one StoreField line per stored value.

#include <map>

#include "app/poller.h"
#include "store/conversions.h"
#include "store/settings.h"
#include "fake/fake_platform.h"
#include "fuzz_support.h"
#include "glass/glass.h"
#include "popup/popup_logic.h"
#include "reference_numbers.h"

namespace lumvale::fuzz {
namespace {

using Fields = std::map<std::string, std::wstring>;
using fake::FakeWindow;

Fields FieldsFromBytes(const std::uint8_t* data, std::size_t size) {
    Fields fields;
    std::size_t start = 0;
    while (start < size) {
        std::size_t end = start;
        while (end < size && data[end] != '\n') ++end;
        std::size_t equals = start;
        while (equals < end && data[equals] != '=') ++equals;
        if (equals < end) {
            const std::string name(reinterpret_cast<const char*>(data + start), equals - start);
            fields[name] = TextFromBytes(data + equals + 1, end - equals - 1);
        }
        start = end + 1;
    }
    return fields;
}

std::optional<std::wstring> Field(const Fields& fields, const char* name) {
    const auto found = fields.find(name);
    if (found == fields.end()) return std::nullopt;
    return found->second;
}

// What a reader gets for a value read with a default.
std::wstring StoredOr(const Fields& fields, const char* name, const std::wstring& defaultText) {
    return Field(fields, name).value_or(defaultText);
}

bool StoredAndNotEmpty(const Fields& fields, const char* name) {
    const auto text = Field(fields, name);
    return text && !text->empty();
}

// A desktop with one program's window in front, the taskbar, and the fuzzed
// values in the store.
struct Desktop {
    explicit Desktop(const Fields& fields) {
        fake.AddProcess(100, L"editor.exe");
        editor = fake.AddWindow(ProgramWindow(L"EditorMain", 100));
        taskbar = fake.AddWindow(ProgramWindow(L"Shell_TrayWnd", 200));
        fake.foreground = editor;
        fake.failSetLayeredAttributes = Field(fields, "FailAlpha").has_value();
        if (Field(fields, "NoTaskbar")) fake.DestroyWindow(taskbar);
        const std::wstring settingsPath = kApplicationKey + L"\\" + store_names::kSettings;
        const std::wstring winsPath = kApplicationKey + L"\\" + store_names::kWins;
        const std::wstring tempPath = kApplicationKey + L"\\" + store_names::kTemp;
        StoreField(fields, "Remember", RegRoot::CurrentUser, settingsPath, store_names::kRemember);
        StoreField(fields, "Beep", RegRoot::CurrentUser, settingsPath, store_names::kBeep);
        StoreField(fields, "RC", RegRoot::CurrentUser, settingsPath, store_names::kPopupKeys);
        StoreField(fields, "KS", RegRoot::CurrentUser, settingsPath, store_names::kHotKeys);
        StoreField(fields, "TBar", RegRoot::CurrentUser, settingsPath, store_names::kTaskbarAlpha);
        StoreField(fields, "Wins", RegRoot::CurrentUser, winsPath, L"editor.exeEditorMain");
        StoreField(fields, "Temp", RegRoot::CurrentUser, tempPath, DecimalText(editor));
        StoreField(fields, "TempTop", RegRoot::CurrentUser, tempPath, DecimalText(editor) + L"a");
    }

    static FakeWindow ProgramWindow(const std::wstring& className, std::uint32_t processId) {
        FakeWindow window;
        window.className = className;
        window.processId = processId;
        window.threadId = processId + 1;
        return window;
    }

    void StoreField(const Fields& fields, const char* name, RegRoot root, const std::wstring& path,
                    const std::wstring& key) {
        if (const auto text = Field(fields, name)) fake.SetValue(root, path, key, *text);
    }

    // A layered window that has no alpha is never drawn: it vanishes.
    bool DrawnProperly(Hwnd window) {
        if (!fake.Exists(window)) return true;
        const FakeWindow& w = fake.Window(window);
        return ((w.exStyle & kExStyleLayered) != 0) == w.alpha.has_value();
    }
    bool Untouched(Hwnd window) {
        if (!fake.Exists(window)) return true;
        const FakeWindow& w = fake.Window(window);
        return w.exStyle == 0 && !w.alpha && !w.topmost;
    }

    fake::FakePlatform fake;
    SettingsStore store{fake};
    Settings settings;
    Glass glass{fake, store};
    WindowInfo windows{fake};
    Hwnd editor = 0;
    Hwnd taskbar = 0;
};

std::int64_t ClampedTaskbarAlpha(const Fields& fields) {
    std::int64_t alpha = Int16Of(StoredOr(fields, "TBar", L"255")).value_or(0);
    if (alpha < kMinTaskbarAlpha) alpha = kMinTaskbarAlpha;
    if (alpha > kOpaqueAlpha) alpha = kOpaqueAlpha;
    return alpha;
}

// Garbage keeps the previous value, a missing value gives the default.
void CheckLoadSettings(const Fields& fields, const std::wstring& input) {
    for (const Settings previous : {Settings{}, Settings{true, true, 12345, -321}}) {
        Desktop d(fields);
        d.fake.SetValue(RegRoot::CurrentUser, kApplicationKey + L"\\" + store_names::kTemp, L"99999", L"1");
        d.settings = previous;
        LoadSettings(d.store, d.settings, d.glass);

        const Settings& s = d.settings;
        Require(s.RememberOn == FlagOf(StoredOr(fields, "Remember", L"0")).value_or(previous.RememberOn),
                "remember flag: on for 1, off for other numbers, kept for garbage", input);
        Require(s.BeepOn == FlagOf(StoredOr(fields, "Beep", L"0")).value_or(previous.BeepOn),
                "beep flag: on for 1, off for other numbers, kept for garbage", input);
        Require(s.PopupKeys == Int16Of(StoredOr(fields, "RC", L"1")).value_or(previous.PopupKeys),
                "popup keys: rounded number, default 1, kept for garbage", input);
        Require(s.HotKeys == Int16Of(StoredOr(fields, "KS", L"6")).value_or(previous.HotKeys),
                "hot keys: rounded number, default 6, kept for garbage", input);

        if (d.fake.Exists(d.taskbar)) {
            const std::int64_t alpha = ClampedTaskbarAlpha(fields);
            const FakeWindow& bar = d.fake.Window(d.taskbar);
            Require(d.DrawnProperly(d.taskbar), "the taskbar is never layered without an alpha", input);
            if (alpha == kOpaqueAlpha || d.fake.failSetLayeredAttributes)
                Require(!bar.alpha, "an opaque taskbar alpha leaves the taskbar unlayered", input);
            else
                Require(bar.alpha == alpha, "the taskbar gets the stored alpha clamped to 105..255", input);
        }

        Require(!d.fake.KeyExists(RegRoot::CurrentUser, kApplicationKey + L"\\" + store_names::kTemp),
                "loading empties the run records", input);
        Require(d.fake.registryWrites == 0, "loading writes nothing", input);
        Require(d.fake.beeps.empty(), "loading does not beep", input);
        Require(d.fake.openRegistryKeys() == 0, "loading closes every key it opens", input);
        Require(d.Untouched(d.editor), "loading leaves other windows alone", input);
    }
}

// Whatever the dialog saves, the next start loads.
void CheckSavedSettingsLoadBack(const Fields& fields, const std::wstring& input) {
    Desktop d(fields);
    const Settings saved{StoredAndNotEmpty(fields, "Remember"), StoredAndNotEmpty(fields, "Beep"),
                         static_cast<std::int16_t>(RecordValueOf(StoredOr(fields, "RC", L"")).value_or(0)),
                         static_cast<std::int16_t>(RecordValueOf(StoredOr(fields, "KS", L"")).value_or(0))};
    SaveSettings(d.store, saved);
    Settings loaded;
    LoadSettings(d.store, loaded, d.glass);
    Require(loaded.RememberOn == saved.RememberOn && loaded.BeepOn == saved.BeepOn &&
                loaded.PopupKeys == saved.PopupKeys && loaded.HotKeys == saved.HotKeys,
            "saved settings load back unchanged", input);
}

// The remembered value applied once per run: -1 marks the window handled,
// 0-9 give glass levels 1-10, anything else counts as no record.
void CheckApplyRememberedAlpha(const Fields& fields, const std::wstring& input) {
    Desktop d(fields);
    Poller poller(d.fake, d.store, d.settings, d.glass, d.windows);
    poller.ApplyRememberedAlpha();

    const FakeWindow& w = d.fake.Window(d.editor);
    const bool handledBefore = StoredAndNotEmpty(fields, "Temp");
    const auto value = RecordValueOf(StoredOr(fields, "Wins", L"-2"));
    const bool applies = !handledBefore && value && *value >= -1 && *value <= 9;
    const bool beepOn = FlagOf(StoredOr(fields, "Beep", L"1")).value_or(false);
    const auto runRecord =
        d.fake.Value(RegRoot::CurrentUser, kApplicationKey + L"\\" + store_names::kTemp, DecimalText(d.editor));

    Require(d.DrawnProperly(d.editor), "a remembered record never leaves a window layered without an alpha", input);
    Require(d.fake.openRegistryKeys() == 0, "applying closes every key it opens", input);
    Require(d.Untouched(d.taskbar), "applying leaves other windows alone", input);
    if (!applies) {
        Require(d.fake.registryWrites == 0, "no record, or a handled window: nothing written", input);
        Require(d.Untouched(d.editor) && d.fake.beeps.empty(), "no record, or a handled window: nothing changed",
                input);
        return;
    }
    Require(d.fake.registryWrites == 1 && runRecord == DecimalText(static_cast<std::int32_t>(*value)),
            "an applied record is noted as the window's run record", input);
    const bool glassLevel = *value >= 0 && *value <= 8;
    if (glassLevel && !d.fake.failSetLayeredAttributes)
        Require(w.alpha == 105 + 15 * (*value + 1), "a remembered value v gives the alpha of glass level v + 1",
                input);
    else
        Require(d.Untouched(d.editor), "-1, 9 or a failing alpha leave the window unlayered", input);
    Require(d.fake.beeps.size() == (*value >= 0 && beepOn ? 3u : 0u),
            "a remembered opacity beeps as an opacity change does; -1 is silent", input);

    const int writes = d.fake.registryWrites;
    const std::size_t beeps = d.fake.beeps.size();
    const std::int32_t style = w.exStyle;
    const auto alpha = w.alpha;
    poller.ApplyRememberedAlpha();
    Require(d.fake.registryWrites == writes && d.fake.beeps.size() == beeps && w.exStyle == style &&
                w.alpha == alpha,
            "a window is handled once per run", input);
}

// The popup reads the run records and changes nothing.
void CheckShowMe(const Fields& fields, const std::wstring& input) {
    for (const bool rememberOn : {false, true}) {
        Desktop d(fields);
        d.settings.RememberOn = rememberOn;
        PopupLogic popup(d.fake, d.store, d.settings, d.glass, d.windows);
        const auto content = popup.ShowMe();
        Require(content.has_value(), "a popup on a window in front is shown", input);

        const std::int64_t n = RecordValueOf(StoredOr(fields, "Temp", L"-2")).value_or(-2);
        const std::int64_t listIndex = n > -2 && n < kListEntries ? n : kNoListSelection;
        Require(content->listIndex == listIndex,
                "the list shows the run record's index 0-8 and nothing for any other value", input);
        Require(content->topTicked == (n > -2 && StoredAndNotEmpty(fields, "TempTop")),
                "stay-on-top is ticked only for a window with a run record and a stay-on-top record", input);
        const bool remembered = rememberOn || StoredAndNotEmpty(fields, "Wins");
        Require(content->alwaysTicked == remembered && content->alwaysEnabled == !remembered,
                "the keep box is ticked and fixed exactly for remembered programs", input);

        Require(d.fake.registryWrites == 0 && d.fake.beeps.empty(), "showing the popup writes nothing", input);
        Require(d.Untouched(d.editor) && d.Untouched(d.taskbar), "showing the popup changes no window", input);
        Require(d.fake.openRegistryKeys() == 0, "showing the popup closes every key it opens", input);
    }
}

// What a remembered record applies is what the popup then shows selected.
void CheckRememberedThenShown(const Fields& fields, const std::wstring& input) {
    if (Field(fields, "Temp")) return;
    Desktop d(fields);
    Poller poller(d.fake, d.store, d.settings, d.glass, d.windows);
    PopupLogic popup(d.fake, d.store, d.settings, d.glass, d.windows);
    poller.ApplyRememberedAlpha();
    const auto content = popup.ShowMe();
    const auto value = RecordValueOf(StoredOr(fields, "Wins", L"-2"));
    const std::int64_t expected = value && *value >= -1 && *value <= 8 ? *value : kNoListSelection;
    Require(content && content->listIndex == expected, "the popup shows the entry a remembered record applied",
            input);
}

void (*const kReaders[])(const Fields&, const std::wstring&) = {
    CheckLoadSettings,
    CheckSavedSettingsLoadBack,
    CheckApplyRememberedAlpha,
    CheckShowMe,
    CheckRememberedThenShown,
};

}  // namespace
}  // namespace lumvale::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumvale::fuzz;
    const Fields fields = FieldsFromBytes(data, size);
    const std::wstring input = TextFromBytes(data, size);
    for (const auto reader : kReaders) reader(fields, input);
    return 0;
}
