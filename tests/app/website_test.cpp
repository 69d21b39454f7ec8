// The in-app browser window, headless: its load, its commands, the page's events, its layout and
// its close.
#include <gtest/gtest.h>

#include "forms/form_registry.h"
#include "foundation/globals.h"
#include "menus_fixture.h"
#include "ui/frm_website.h"
#include "ui/globals.h"

namespace {

using Kind = forms::BrowserCommand::Kind;

class Website : public MenusTest {
  protected:
    // The browser as the user finds it, back at its normal size.
    FrmWebsiteForm& Browser() {
        FrmWebsiteForm& browser = frmWebsite();
        browser.Show();
        return browser;
    }
};

TEST_F(Website, OpensTheProductWebsiteMaximisedWithTwoStatusPanels) {
    gWebsite = "stale.example";  // the load sets the identity again
    FrmWebsiteForm& browser = Browser();
    EXPECT_EQ(browser.Caption(), "tollenwark.example");
    EXPECT_EQ(browser.WebBrowser1.LastCommand(),
              (forms::BrowserCommand{Kind::Navigate, "tollenwark.example"}));
    EXPECT_EQ(browser.WindowState(), forms::WindowState::Maximized);
    EXPECT_FALSE(browser.TopMost());
    EXPECT_EQ(browser.StatusBar1.Panels.Count(), 2);
}

TEST_F(Website, EnterInTheAddressFieldGoesThereLikeTheGoButton) {
    FrmWebsiteForm& browser = Browser();
    browser.Text1.SetText("http://127.0.0.1/first");
    EXPECT_EQ(browser.Text1.KeyPress('h'), 'h');
    EXPECT_EQ(browser.WebBrowser1.LastCommand().url, "tollenwark.example") << "typing goes nowhere";
    browser.Text1.KeyPress(13);
    EXPECT_EQ(browser.WebBrowser1.LastCommand(),
              (forms::BrowserCommand{Kind::Navigate, "http://127.0.0.1/first"}));

    browser.Text1.SetText("http://127.0.0.1/second");
    browser.Command3.Click();
    EXPECT_EQ(browser.WebBrowser1.LastCommand().url, "http://127.0.0.1/second");
}

TEST_F(Website, BackAndForwardWithoutAPageDoNothingAndOtherwiseReachTheBrowser) {
    FrmWebsiteForm& browser = Browser();
    browser.Command4.Click();
    browser.Command5.Click();
    EXPECT_EQ(browser.WebBrowser1.LastCommand().kind, Kind::Navigate);

    browser.WebBrowser1.SetHistoryState(true, true);
    browser.Command4.Click();
    EXPECT_EQ(browser.WebBrowser1.LastCommand().kind, Kind::GoBack);
    browser.Command5.Click();
    EXPECT_EQ(browser.WebBrowser1.LastCommand().kind, Kind::GoForward);
    browser.Command6.Click();
    EXPECT_EQ(browser.WebBrowser1.LastCommand().kind, Kind::Stop);
    browser.Command7(0).Click();
    EXPECT_EQ(browser.WebBrowser1.LastCommand().kind, Kind::Refresh);
}

TEST_F(Website, ThePagesEventsFillTheStatusBarAndTheAddressField) {
    FrmWebsiteForm& browser = Browser();
    browser.Text1.SetText("typed.example");
    browser.WebBrowser1.StatusTextChange("http://127.0.0.1/link");
    EXPECT_EQ(browser.StatusBar1.Panels(1).Text(), "http://127.0.0.1/link");

    browser.WebBrowser1.SetLocation("http://typed.example/", "");
    browser.WebBrowser1.DownloadBegin();
    EXPECT_EQ(browser.StatusBar1.Panels(2).Text(), "Opening http://typed.example/");
    browser.WebBrowser1.ProgressChange(50, 100);

    // A redirect: the address field shows where the page really came from.
    browser.WebBrowser1.SetLocation("http://moved.example/home", "Moved Home");
    browser.WebBrowser1.DownloadComplete();
    EXPECT_EQ(browser.StatusBar1.Panels(2).Text(), "Completed http://moved.example/home");
    EXPECT_EQ(browser.Text1.Text(), "http://moved.example/home");
    EXPECT_EQ(browser.Caption(), "Moved Home");
}

TEST_F(Website, TheLayoutFollowsTheWindowAndNeverGoesNegative) {
    FrmWebsiteForm& browser = Browser();
    browser.SetWindowState(forms::WindowState::Normal);
    browser.Move(0, 0, 9000, 6000);
    EXPECT_EQ(browser.StatusBar1.Panels(1).Width(), 4500);
    EXPECT_EQ(browser.StatusBar1.Panels(2).Width(), 4500);
    EXPECT_EQ(browser.frmBrowser.Width(), 8700);
    EXPECT_EQ(browser.frmBrowser.Height(), 6000 - browser.StatusBar1.Height());
    EXPECT_EQ(browser.Command3.Left(), browser.Text1.Left() + browser.Text1.Width() + 100);
    EXPECT_EQ(browser.Command3.Left() + browser.Command3.Width(), 8700 - 200);
    EXPECT_EQ(browser.StatusBar1.Top() + browser.StatusBar1.Height(), browser.ScaleHeight());

    // Smaller than the margins: every size is the absolute value of what the margins leave.
    browser.Move(0, 0, 900, 700);
    EXPECT_EQ(browser.frmBrowser.Width(), 600);
    EXPECT_EQ(browser.Text1.Width(), browser.Text1.Left() + 300 + browser.Command3.Width() - 600);
    EXPECT_EQ(browser.WebBrowser1.Height(), browser.WebBrowser1.Top() + 800 +
                                                browser.StatusBar1.Height() -
                                                browser.frmBrowser.Height());
}

TEST_F(Website, ClosingOnlyClosesTheWindowWhileTheMainWindowIsOpen) {
    Browser().Close();
    EXPECT_FALSE(forms::IsLoaded<FrmWebsiteForm>());
    EXPECT_FALSE(host.ProcessHasEnded());
}

TEST_F(Website, ClosingItAfterTheMainWindowEndsTheProgram) {
    FrmWebsiteForm& browser = Browser();
    gEndOnWebsiteClose = true;
    EXPECT_THROW(browser.Close(), forms::ProcessEnded);
    EXPECT_TRUE(host.ProcessHasEnded());
}

}  // namespace
