#include "foundation/http_access.h"

#include <gtest/gtest.h>

#include "forms/text_box.h"
#include "server/definitions_server_process.h"
#include "support/forms_fixture.h"
#include "support/temporary_program_folder.h"

using test_support::ReadHostFileOrEmpty;

namespace {

std::string BodyOfLength(std::size_t length) {
    std::string body;
    for (std::size_t i = 0; i < length; ++i) {
        body += static_cast<char>('a' + i % 26);
    }
    return body;
}

class DownloadWindow : public forms::Form {
  public:
    DownloadWindow() : Form("frmDownload") {
        txtStatus.OnChange = [this] { shown.push_back(txtStatus.Text()); };
    }

    forms::TextBox txtStatus{*this, "txtStatus"};
    std::vector<std::string> shown;
};

class HttpAccessTest : public FormsTest {
  protected:
    DefinitionsServerProcess server;
};

TEST_F(HttpAccessTest, ReturnsTheWholeBodyAsText) {
    server.Serve("ten.txt", "0123456789");
    server.Serve("cp1252.txt", "caf\xE9 \x80");
    EXPECT_EQ(HttpGetText(server.BaseUrl() + "/ten.txt"), "0123456789");
    EXPECT_EQ(HttpGetText(server.BaseUrl() + "/cp1252.txt"), "caf\u00E9 \u20AC");
    // No status check: the error page is the answer.
    EXPECT_NE(HttpGetText(server.BaseUrl() + "/missing.txt"), "");
}

TEST_F(HttpAccessTest, ShowsProgressAfterEveryPieceButTheFirstAndYieldsAfterEach) {
    server.Serve("six-hundred.txt", BodyOfLength(600));
    DownloadWindow window;
    const int yieldsBefore = host.DoEventsCount();

    EXPECT_EQ(HttpGetTextWithProgress(server.BaseUrl() + "/six-hundred.txt", window.txtStatus),
              BodyOfLength(600));
    EXPECT_EQ(window.shown,
              (std::vector<std::string>{"Downloaded 512 bytes.", "Downloaded 600 bytes."}));
    EXPECT_EQ(host.DoEventsCount() - yieldsBefore, 3);
}

TEST_F(HttpAccessTest, NoServerGivesNothingAndShowsNothing) {
    const std::string url = server.BaseUrl() + "/ten.txt";
    server.Stop();
    DownloadWindow window;
    EXPECT_EQ(HttpGetText(url), "");
    EXPECT_EQ(HttpGetTextWithProgress(url, window.txtStatus), "");
    EXPECT_TRUE(window.shown.empty());
}

class HttpAccessCap : public FormsTest {};

TEST_F(HttpAccessCap, APartOfAnAnswerIsNeverTakenForTheWhole) {
    DefinitionsServerOptions options;
    options.endless = true;  // a body that ends only at the size cap, after 16 MiB have arrived
    DefinitionsServerProcess endless(options);
    EXPECT_EQ(HttpGetText(endless.BaseUrl() + "/asp/date.asp"), "");
    EXPECT_GT(host.DoEventsCount(), 1000);
}

TEST_F(HttpAccessTest, DownloadsIntoAFileByItsWindowsPath) {
    test_support::TemporaryProgramFolder program;
    server.Serve("Localization.xml", "<TRANSLATION_ITEMS/>");
    const std::string target = program.windowsPath() + "\\Localization.xml";

    EXPECT_TRUE(DownloadUrlToFile(server.BaseUrl() + "/Localization.xml", target));
    EXPECT_EQ(ReadHostFileOrEmpty(program.path() / "Localization.xml"), "<TRANSLATION_ITEMS/>");

    const std::string url = server.BaseUrl() + "/Localization.xml";
    server.Stop();
    EXPECT_FALSE(DownloadUrlToFile(url, target));
    EXPECT_EQ(ReadHostFileOrEmpty(program.path() / "Localization.xml"), "<TRANSLATION_ITEMS/>");
    EXPECT_FALSE(DownloadUrlToFile(url, "Q:\\no such drive\\x.txt"));
}

}  // namespace
