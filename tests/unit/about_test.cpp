#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "about/about_layout.h"
#include "about/first_run.h"
#include "app/web_pages.h"
#include "test_helpers.h"

namespace lumvale {
namespace {

using testing::StoreSetting;

const AboutElement& Named(const std::vector<AboutElement>& elements, const std::string& name) {
    for (const AboutElement& element : elements)
        if (name == element.name) return element;
    ADD_FAILURE() << "no element " << name;
    return elements.front();
}

std::string NameAt(const std::vector<AboutElement>& elements, int x, int y) {
    const AboutElement* element = ElementAt(elements, x, y);
    return element ? element->name : "none";
}

// Stands in for the settings dialog; a drag of its taskbar slider leaves the
// taskbar at another alpha.
class SettingsDialog : public SettingsDialogOpener {
public:
    SettingsDialog(fake::FakePlatform& fake, Glass& glass, Hwnd taskbar)
        : fake_(fake), glass_(glass), taskbar_(taskbar) {}
    bool ShowSettings() override {
        ++opened;
        glass_.SetWindowAlpha(taskbar_, 120);
        fake_.calls.push_back("dialog closed");
        return !alreadyOpen;
    }
    int opened = 0;
    bool alreadyOpen = false;  // then it is only brought to the front

private:
    fake::FakePlatform& fake_;
    Glass& glass_;
    Hwnd taskbar_;
};

class FirstRunTest : public ::testing::Test {
protected:
    fake::FakePlatform fake;
    SettingsStore store{fake};
    Glass glass{fake, store};
    Hwnd taskbar = fake.AddWindow({L"Shell_TrayWnd", L"", 0, 10, 11});
    SettingsDialog dialog{fake, glass, taskbar};
};

TEST_F(FirstRunTest, OnlyASettingThatWasNeverSavedMeansAFirstRun) {
    EXPECT_TRUE(IsFirstRun(store));
    // The names carry their trailing blanks: a value without them is another.
    fake.SetValue(RegRoot::CurrentUser, kApplicationKey + L"\\软件设置", store_names::kRemember, L"0");
    StoreSetting(fake, L"提示：", L"0");
    EXPECT_TRUE(IsFirstRun(store));

    const std::pair<const wchar_t*, bool> cases[] = {
        {L"100", true}, {L" 100 ", true}, {L"1e2", true}, {L"100.0", true}, {L"1", false}, {L"0", false},
        {L"2", false},  {L"abc", false},  {L"", false},   {L"100abc", false}, {L"99.9", false}};
    for (const auto& [stored, firstRun] : cases) {
        StoreSetting(fake, store_names::kRemember, stored);
        EXPECT_EQ(IsFirstRun(store), firstRun) << std::string(stored, stored + std::wcslen(stored));
    }
    EXPECT_EQ(fake.openRegistryKeys(), 0);
}

TEST_F(FirstRunTest, AfterTheSplashAFirstRunOpensTheSettingsAndThenRestoresTheStoredTaskbar) {
    StoreSetting(fake, store_names::kTaskbarAlpha, L"180");
    const int writesBefore = fake.registryWrites;
    AfterSplash(store, glass, dialog);
    EXPECT_EQ(dialog.opened, 1);
    // The alpha the slider left behind is replaced by the stored one, after
    // the dialog has closed.
    EXPECT_EQ(fake.Window(taskbar).alpha, 180);
    const auto closed = std::find(fake.calls.begin(), fake.calls.end(), "dialog closed");
    ASSERT_NE(closed, fake.calls.end());
    EXPECT_NE(std::find(closed, fake.calls.end(), "SetLayeredWindowAttributes(180)"), fake.calls.end());
    // Only the dialog's Save ends the first run.
    EXPECT_EQ(fake.registryWrites, writesBefore);
    EXPECT_FALSE(testing::StoredSetting(fake, store_names::kRemember));
}

TEST_F(FirstRunTest, ADialogThatWasOpenAlreadyKeepsTheTaskbarItsSliderGave) {
    StoreSetting(fake, store_names::kTaskbarAlpha, L"180");
    dialog.alreadyOpen = true;
    AfterSplash(store, glass, dialog);
    EXPECT_EQ(dialog.opened, 1);
    EXPECT_EQ(fake.Window(taskbar).alpha, 120);
}

TEST_F(FirstRunTest, OnceTheSettingsWereSavedTheSplashOnlyCloses) {
    for (const wchar_t* saved : {L"0", L"1"}) {
        StoreSetting(fake, store_names::kRemember, saved);
        fake.calls.clear();
        AfterSplash(store, glass, dialog);
        EXPECT_EQ(dialog.opened, 0);
        EXPECT_EQ(fake.CountCalls("SetLayeredWindowAttributes"), 0);
        EXPECT_EQ(fake.CountCalls("SetWindowLong"), 0);
    }
}

TEST(AboutLinks, TheLinksOpenTheHomePageAndTheFeedbackMailThroughTheShell) {
    const auto elements = AboutElements();
    const std::wstring home = std::wstring(L"http://") + LUMVALE_WEB_HOST;
    const std::wstring mail = std::wstring(L"mailto:") + LUMVALE_FEEDBACK_MAIL + L"?subject=lumvale汉化反馈  ";
    // lbWWW covers (240, 232)-(446, 246), lbEmail (62, 232)-(228, 246).
    EXPECT_EQ(LinkAt(elements, 343, 239), home);
    EXPECT_EQ(LinkAt(elements, 240, 232), home);
    EXPECT_EQ(LinkAt(elements, 445, 245), home);
    EXPECT_EQ(LinkAt(elements, 62, 232), mail);
    EXPECT_EQ(LinkAt(elements, 227, 245), mail);
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{
             {239, 239}, {446, 239}, {343, 231}, {343, 246}, {228, 239}, {61, 239}, {300, 212}, {100, 20}})
        EXPECT_FALSE(LinkAt(elements, x, y)) << x << "," << y;

    fake::FakePlatform fake;
    for (const std::wstring& target : {*LinkAt(elements, 343, 239), *LinkAt(elements, 100, 239)})
        OpenWebPage(fake, target);
    ASSERT_EQ(fake.shellCalls.size(), 2u);
    EXPECT_EQ(fake.shellCalls[0].file, home);
    EXPECT_EQ(fake.shellCalls[1].file, mail);
    for (const fake::ShellCall& call : fake.shellCalls) {
        EXPECT_EQ(call.verb, L"open");
        EXPECT_EQ(call.parameters, L"");
        EXPECT_EQ(call.directory, L"");
        EXPECT_EQ(call.show, 1);
    }
}

TEST(AboutLayout, ElementsListedEarlierLieAboveAndLinesTakeNoClicks) {
    const auto elements = AboutElements();
    EXPECT_EQ(NameAt(elements, 436, 82), "ProgIcon");        // over Bar4
    EXPECT_EQ(NameAt(elements, 100, 20), "TovanLogo");       // over Bar2
    EXPECT_EQ(NameAt(elements, 280, 80), "Presents");        // over Bar4
    EXPECT_EQ(NameAt(elements, 20, 20), "Bar1");             // the blue strip over the yellow band
    EXPECT_EQ(NameAt(elements, 20, 230), "Bar1");            // and over the grey band
    EXPECT_EQ(NameAt(elements, 350, 91), "Bar4");            // over the product name's box
    EXPECT_EQ(NameAt(elements, 100, 166), "TopProductName"); // Line1 lets the click through
    EXPECT_EQ(NameAt(elements, 100, 120), "TopProductName"); // the text above its shadow
    EXPECT_EQ(NameAt(elements, 300, 60), "none");            // the white background
    EXPECT_EQ(NameAt(elements, 460, 253), "Bar3");
}

}  // namespace
}  // namespace lumvale
