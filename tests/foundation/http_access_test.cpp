#include "foundation/http_access.h"

#include <gtest/gtest.h>

#include <chrono>

#include "forms/form_registry.h"
#include "forms/text_box.h"
#include "forms/timer.h"
#include "server/definitions_server_process.h"
#include "support/forms_fixture.h"
#include "support/scoped_http_limits.h"
#include "support/temporary_program_folder.h"

using namespace std::chrono_literals;
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

    // The whole answer's text, its progress shown in txtStatus.
    std::string Get(std::string_view url) {
        TextRequest request;
        request.showProgress = [this](const std::string& text) { txtStatus.SetText(text); };
        return GetTextAnswer(url, request).text;
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
    // An error page is no answer.
    EXPECT_EQ(HttpGetText(server.BaseUrl() + "/missing.txt"), "");
}

TEST_F(HttpAccessTest, ShowsProgressAfterEveryPieceButTheFirstAndYieldsAfterEach) {
    server.Serve("six-hundred.txt", BodyOfLength(600));
    DownloadWindow window;
    std::vector<std::size_t> shownAtYield;  // waiting for the server yields too
    host.OnEveryDoEvents([&](int) { shownAtYield.push_back(window.shown.size()); });

    EXPECT_EQ(window.Get(server.BaseUrl() + "/six-hundred.txt"), BodyOfLength(600));
    EXPECT_EQ(window.shown,
              (std::vector<std::string>{"Downloaded 512 bytes.", "Downloaded 600 bytes."}));
    ASSERT_GE(shownAtYield.size(), 3u);
    EXPECT_EQ(shownAtYield.back(), 2u) << "the last piece's text is shown before its yield";
}

TEST_F(HttpAccessTest, NoServerGivesNothingAndShowsNothing) {
    const std::string url = server.BaseUrl() + "/ten.txt";
    server.Stop();
    DownloadWindow window;
    EXPECT_EQ(HttpGetText(url), "");
    EXPECT_EQ(window.Get(url), "");
    EXPECT_TRUE(window.shown.empty());
}

// A window whose timer counts its ticks, as the program's shields and scheduler tick.
class TickingWindow : public forms::Form {
  public:
    TickingWindow() : Form("frmTicking") {
        tmrTick.SetInterval(100);
        tmrTick.OnTimer = [this] { ++ticks; };
    }

    forms::Timer tmrTick{*this, "tmrTick"};
    int ticks = 0;
};

// A server that sends the first bytes of every body and then falls silent; the program's requests
// give up after half a second of silence.
class StalledServerTest : public FormsTest {
  protected:
    StalledServerTest() {
        server.Serve("thousand.txt", BodyOfLength(1000));
        host.SetDoEventsTimeStep(50ms);  // the virtual clock runs as the real one waits
    }

    static DefinitionsServerOptions StallingAfter(std::size_t bytes) {
        DefinitionsServerOptions options;
        options.stallAfterBytes = bytes;
        return options;
    }

    test_support::ScopedHttpLimits quick{test_support::QuickHttpLimits()};
    DefinitionsServerProcess server{StallingAfter(300)};
};

TEST_F(StalledServerTest, TimersTickWhileTheAnswerStallsAndAPartIsNeverTakenForTheWhole) {
    auto& window = forms::DefaultInstance<TickingWindow>();
    DownloadWindow progress;

    EXPECT_EQ(progress.Get(server.BaseUrl() + "/thousand.txt"), "");

    EXPECT_GE(window.ticks, 3) << "half a second of waiting ticks a 100 ms timer";
    EXPECT_EQ(progress.shown, std::vector<std::string>{"Downloaded 300 bytes."});
}

TEST_F(StalledServerTest, ADownloadThatStallsYieldsAndLeavesTheFileAsItWas) {
    test_support::TemporaryProgramFolder program;
    program.WriteFile("Localization.xml", "old");
    auto& window = forms::DefaultInstance<TickingWindow>();

    EXPECT_FALSE(DownloadUrlToFile(server.BaseUrl() + "/thousand.txt",
                                   program.windowsPath() + "\\Localization.xml"));

    EXPECT_GE(window.ticks, 3);
    EXPECT_EQ(ReadHostFileOrEmpty(program.path() / "Localization.xml"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(program.path()),
                            std::filesystem::directory_iterator()),
              1)
        << "no partial download stays beside the file";
}

TEST_F(HttpAccessTest, TimersTickWhileASlowServerPrepares) {
    DefinitionsServerOptions slow;
    slow.delayMs = 400;
    DefinitionsServerProcess slowServer(slow);
    slowServer.Serve("ten.txt", "0123456789");
    host.SetDoEventsTimeStep(50ms);
    auto& window = forms::DefaultInstance<TickingWindow>();

    EXPECT_EQ(HttpGetText(slowServer.BaseUrl() + "/ten.txt"), "0123456789");
    EXPECT_GE(window.ticks, 2);
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
