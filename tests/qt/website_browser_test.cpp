// The in-app browser window on the browser engine: pages served on 127.0.0.1, the address field,
// back and forward. With TOLLENWARK_SCREENSHOT_DIR naming a folder the window is saved there as
// website.png (see about_screenshots_test.cpp for running it on a real X server).
#include <QPixmap>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "qt_fixture.h"
#include "server/definitions_server_process.h"
#include "support/scoped_environment.h"
#include "ui/frm_website.h"
#include "ui/globals.h"

using namespace std::chrono_literals;

namespace {

class WebsiteBrowserTest : public QtHostTest {
  protected:
    WebsiteBrowserTest() { ResetUiGlobals(); }

    // Waits until the browser has finished the page at url.
    bool Completed(FrmWebsiteForm& browser, const std::string& url) {
        return RunUntil([&] { return browser.StatusBar1.Panels(2).Text() == "Completed " + url; },
                        60s);
    }

    DefinitionsServerProcess server;
    // The build puts the buttons' pictures beside the test programs' folder.
    test_support::ScopedEnvironmentVariable program{
        "TOLLENWARK_PROGRAM_FOLDER",
        std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path().string()};
};

#ifdef TOLLENWARK_HAVE_WEBENGINE

std::string Page(const std::string& title, const std::string& body) {
    return "<html><head><title>" + title + "</title></head><body>" + body + "</body></html>";
}

TEST_F(WebsiteBrowserTest, OpensPagesFromTheAddressFieldAndGoesBackAndForward) {
    server.Serve("one.html", Page("Page One", "first"));
    server.Serve("two.html", Page("Page Two", "second"));
    const std::string one = server.BaseUrl() + "/one.html";
    const std::string two = server.BaseUrl() + "/two.html";

    FrmWebsiteForm& browser = frmWebsite();
    browser.Show();
    // The product website may or may not answer here; wait for it either way.
    RunUntil([&] { return browser.StatusBar1.Panels(2).Text().starts_with("Completed"); }, 30s);

    browser.Text1.SetText(one);
    browser.Text1.KeyPress(13);
    ASSERT_TRUE(Completed(browser, one));
    EXPECT_EQ(browser.Caption(), "Page One");
    EXPECT_EQ(browser.Text1.Text(), one);

    browser.Text1.SetText(two);
    browser.Command3.Click();
    ASSERT_TRUE(Completed(browser, two));
    EXPECT_EQ(browser.Caption(), "Page Two");

    if (const char* folder = std::getenv("TOLLENWARK_SCREENSHOT_DIR"); folder && *folder) {
        RunUntil([] { return false; }, 500ms);  // the page is painted a moment after it loaded
        const std::string file = std::string(folder) + "/website.png";
        EXPECT_TRUE(WindowOf(browser).grab().save(QString::fromStdString(file), "PNG"));
    }

    browser.Command4.Click();
    ASSERT_TRUE(Completed(browser, one));
    EXPECT_EQ(browser.Text1.Text(), one);
    EXPECT_EQ(browser.Caption(), "Page One");

    browser.Command5.Click();
    ASSERT_TRUE(Completed(browser, two));
    EXPECT_EQ(browser.Caption(), "Page Two");

    browser.Command5.Click();  // nothing further: ignored
    browser.StatusBar1.Panels(2).SetText("");
    browser.Command7(0).Click();
    ASSERT_TRUE(Completed(browser, two)) << "the refreshed page";
}

#endif

}  // namespace
