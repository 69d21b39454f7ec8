// The browser control: commands reach the engine and the engine's events reach the program.
#include <QLabel>
#include <fstream>

#include "qt_fixture.h"
#include "support/temporary_folder.h"
#include "test_windows.h"

namespace {

class WebBrowserTest : public QtHostTest {};

#ifdef TOLLENWARK_HAVE_WEBENGINE

std::string FileUrl(const std::filesystem::path& file) {
    return "file://" + file.string();
}

TEST_F(WebBrowserTest, NavigationAsksFirstThenReportsThePageAndMayBeCancelled) {
    test_support::TemporaryFolder folder("browser");
    const auto page = folder.WriteFile(
        "page.html", "<html><head><title>Definitions</title></head><body>ok</body></html>");
    const auto refused = folder.WriteFile("refused.html", "<html><body>no</body></html>");

    GalleryForm& form = frmGallery();
    form.Show();
    std::vector<std::string> events;
    form.wbPage.OnBeforeNavigate2 = [&](const std::string& url, bool& cancel) {
        events.push_back("BeforeNavigate2 " + url);
        cancel = url.ends_with("refused.html");
    };
    form.wbPage.OnDownloadBegin = [&] { events.push_back("DownloadBegin"); };
    form.wbPage.OnDownloadComplete = [&] { events.push_back("DownloadComplete"); };
    form.wbPage.OnDocumentComplete = [&](const std::string& url) {
        events.push_back("DocumentComplete " + url);
    };

    form.wbPage.Navigate(FileUrl(page));
    ASSERT_TRUE(RunUntil([&] { return !events.empty() && events.back().starts_with("Document"); },
                         std::chrono::seconds(60)));
    EXPECT_EQ(events.front(), "BeforeNavigate2 " + FileUrl(page));
    EXPECT_NE(std::find(events.begin(), events.end(), "DownloadBegin"), events.end());
    EXPECT_EQ(events.back(), "DocumentComplete " + FileUrl(page));
    EXPECT_EQ(form.wbPage.LocationURL(), FileUrl(page));
    EXPECT_EQ(form.wbPage.LocationName(), "Definitions");

    events.clear();
    form.wbPage.Navigate(FileUrl(refused));
    ASSERT_TRUE(RunUntil([&] { return !events.empty(); }, std::chrono::seconds(20)));
    RunUntil([] { return false; }, std::chrono::milliseconds(500));
    EXPECT_EQ(events.front(), "BeforeNavigate2 " + FileUrl(refused));
    EXPECT_EQ(form.wbPage.LocationURL(), FileUrl(page));  // the refused page never came
}

#else

TEST_F(WebBrowserTest, WithoutTheEngineTheControlSaysSo) {
    GalleryForm& form = frmGallery();
    EXPECT_TRUE(WidgetOf<QLabel>(form.wbPage).text().contains("not available"));
    form.wbPage.Navigate("https://example.com/");  // ignored, not a failure
}

#endif

}  // namespace
