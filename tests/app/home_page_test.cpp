// The home-page shield: a start page changed by another program is noticed within one tick and
// put back or accepted as the user answers or the options say.
#include <gtest/gtest.h>

#include <chrono>

#include "engine/globals.h"
#include "engine/home_page_shield.h"
#include "engine/mod_set_home_page.h"
#include "forms/form_registry.h"
#include "foundation/globals.h"
#include "options_fixture.h"
#include "ui/frm_home_page_changed_alert.h"

using namespace std::chrono_literals;
using platform::HKEY_CURRENT_USER;

namespace {

constexpr std::string_view kProtected = "http://home.example/";

class HomePageShield : public OptionsTest {
  protected:
    HomePageShield() {
        // The memory shield has its own tests; here it stays off.
        StoreOption("optMemorySheildOn", "False");
        SetStartPage(kProtected);
        StoreOption("Homepage", kProtected);
    }

    void SetStartPage(std::string_view page) const {
        WriteRegistryFromOutside(HKEY_CURRENT_USER, kStartPageKey, kStartPageValue,
                                 platform::RegValue::String(std::string(page)));
    }
    std::string StartPage() const {
        return ReadRegistryFromOutside(HKEY_CURRENT_USER, kStartPageKey, kStartPageValue);
    }

    // Answers the next alert with a button, after checking that nothing ticks meanwhile.
    void AnswerAlertWith(forms::CommandButton FrmHomePageChangedAlertForm::*button) {
        host.ExpectModalOf<FrmHomePageChangedAlertForm>([this, button](auto& alert) {
            alertText = alert.lblHomePageInfo.Caption();
            FrmMainForm& main = Main();
            timersOffWhileAsking = !main.tmrCheckHomePage.Enabled() &&
                                   !main.tmrMemoryInspected.Enabled() &&
                                   !main.tmrScheduler.Enabled();
            EXPECT_EQ(alert.lblFrmHomePageProductName.Caption(), gProgramName);
            (alert.*button).Click();
        });
    }

    std::string alertText;
    bool timersOffWhileAsking = false;
};

TEST_F(HomePageShield, TheFirstPageSeenBecomesTheProtectedOneWithoutAsking) {
    StoreOption("Homepage", "");
    host.Advance(5s);
    EXPECT_EQ(Option("Homepage"), kProtected);
    EXPECT_TRUE(host.ModalWindowsShown().empty());
    EXPECT_TRUE(Main().tmrCheckHomePage.Enabled());
}

TEST_F(HomePageShield, YesPutsTheProtectedPageBackInTheHive) {
    host.Advance(5s);
    SetStartPage("http://search.example/");
    AnswerAlertWith(&FrmHomePageChangedAlertForm::cmdYes);
    host.Advance(5s);

    EXPECT_EQ(alertText, gProgramName +
                             " has detected that your Homepage has been changed.\r\n\r\n"
                             "Click YES to keep your homepage as:\r\nhttp://home.example/\r\n\r\n"
                             "Click No to change your homepage to:\r\nhttp://search.example/");
    EXPECT_TRUE(timersOffWhileAsking);
    EXPECT_EQ(StartPage(), kProtected);
    EXPECT_EQ(Option("Homepage"), kProtected);
    EXPECT_TRUE(Main().tmrCheckHomePage.Enabled());
    EXPECT_FALSE(forms::IsLoaded<FrmHomePageChangedAlertForm>());
}

TEST_F(HomePageShield, NoMakesTheNewPageTheProtectedOne) {
    SetStartPage("http://search.example/");
    AnswerAlertWith(&FrmHomePageChangedAlertForm::cmdNO);
    host.Advance(5s);
    EXPECT_EQ(StartPage(), "http://search.example/");
    EXPECT_EQ(Option("Homepage"), "http://search.example/");

    // The next tick finds nothing to ask about.
    host.Advance(5s);
    EXPECT_EQ(host.ModalWindowsShown().size(), 1u);
}

TEST_F(HomePageShield, TheSilentOptionRestoresEvenALetterCaseChangeWithoutAsking) {
    StoreOption("optAlwaysnotifybeforerestoring", "False");
    StoreOption("optRestoredefaultwithoutnotification", "True");
    SetStartPage("http://HOME.example/");
    host.Advance(5s);
    EXPECT_EQ(StartPage(), kProtected);
    EXPECT_TRUE(host.ModalWindowsShown().empty());
}

TEST_F(HomePageShield, WithNeitherAnswerChosenTheChangeStays) {
    StoreOption("optAlwaysnotifybeforerestoring", "False");
    SetStartPage("http://search.example/");
    host.Advance(15s);
    EXPECT_EQ(StartPage(), "http://search.example/");
    EXPECT_EQ(Option("Homepage"), kProtected);
    EXPECT_TRUE(host.ModalWindowsShown().empty());
}

TEST_F(HomePageShield, SwitchedOffItStopsItsOwnTimerAndLooksAtNothing) {
    StoreOption("optIEHomePageSheildOn", "False");
    SetStartPage("http://search.example/");
    host.Advance(5s);
    EXPECT_FALSE(Main().tmrCheckHomePage.Enabled());
    EXPECT_TRUE(host.ModalWindowsShown().empty());
    EXPECT_EQ(StartPage(), "http://search.example/");
}

// A page that cannot be put back is said once, whether the user said Yes or the shield restores
// silently; the shield then leaves that page alone (no question, no try, at every tick) until the
// start page changes again.
TEST_F(HomePageShield, ARestoreThatFailsIsToldOnceAndThatPageIsThenLeftAlone) {
    for (const bool ask : {true, false}) {
        SCOPED_TRACE(ask ? "asking" : "silent");
        StoreOption("optAlwaysnotifybeforerestoring", ask ? "True" : "False");
        StoreOption("optRestoredefaultwithoutnotification", ask ? "False" : "True");
        DeleteRegistryKeyFromOutside(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer");
        if (ask) {
            AnswerAlertWith(&FrmHomePageChangedAlertForm::cmdYes);
        }
        host.ExpectMsgBox({forms::MsgBoxResult::Ok,
                           gProgramName + " could not restore your homepage. " +
                               platform::RegistryErrorText(platform::ERROR_FILE_NOT_FOUND),
                           gProgramName,
                           forms::MsgBoxExclamation,
                           {}});
        host.Advance(20s);
        EXPECT_EQ(StartPage(), "(absent)");
        // A missing start page reads as an empty one.
        EXPECT_TRUE(!ask || alertText.ends_with("change your homepage to:\r\n"));

        SetStartPage("http://search.example/");
        if (ask) {
            AnswerAlertWith(&FrmHomePageChangedAlertForm::cmdYes);
        }
        host.Advance(5s);
        EXPECT_EQ(StartPage(), kProtected);
    }
}

TEST_F(HomePageShield, RegistryTextReadsNumbersInHexAndLongTextsWhole) {
    const std::string longPage = "http://home.example/" + std::string(2000, 'x');
    WriteRegistryFromOutside(HKEY_CURRENT_USER, kStartPageKey, "Long",
                             platform::RegValue::String(longPage));
    WriteRegistryFromOutside(HKEY_CURRENT_USER, kStartPageKey, "Number",
                             platform::RegValue::Dword(0x1F));
    platform::RegValue binary;
    binary.type = platform::REG_BINARY;
    binary.data = {1, 2};
    WriteRegistryFromOutside(HKEY_CURRENT_USER, kStartPageKey, "Binary", binary);

    std::string text = "unchanged";
    EXPECT_TRUE(ReadRegistryText(HKEY_CURRENT_USER, kStartPageKey, "Binary", text));
    EXPECT_EQ(text, "unchanged");
    EXPECT_TRUE(ReadRegistryText(HKEY_CURRENT_USER, kStartPageKey, "Number", text));
    EXPECT_EQ(text, "&h1F");
    EXPECT_TRUE(ReadRegistryText(HKEY_CURRENT_USER, kStartPageKey, "Long", text));
    EXPECT_EQ(text, longPage);
    EXPECT_FALSE(ReadRegistryText(HKEY_CURRENT_USER, kStartPageKey, "Missing", text));
    EXPECT_EQ(text, "");
}

}  // namespace
