#include <gtest/gtest.h>

#include <chrono>

#include "forms/form_registry.h"
#include "foundation/globals.h"
#include "foundation/line_codec.h"
#include "foundation/settings_store.h"
#include "platform/http.h"
#include "platform/text_encoding.h"
#include "support/scoped_http_limits.h"
#include "support/temporary_folder.h"
#include "support/wait_until.h"
#include "ui/frm_download.h"
#include "ui/frm_signature_updated.h"
#include "update/globals.h"
#include "update_fixture.h"

using namespace std::chrono_literals;
using test_support::ReadHostFileOrEmpty;
using Lines = std::vector<std::string>;

namespace {

const std::string kDateRequest =
    "GET /asp/currentDateNEW.asp?prog=Toll%20Wark&comp=Toll%20Wark%20Labs HTTP/1.1";
const std::string kRecentText = "You are using the most recent [ProgramName] definitions.";
const std::string kUpdatedText = "Your [ProgramName] definitions have been updated!";
const std::string kFailedText =
    "Definitions could not be downloaded. Please check your internet connection.";

// One ADD of a file definition, as the server sends it: 8-bit text.
std::string AddFileRecord(std::string_view name) {
    return platform::Utf8ToWindows1252(EncodeLine("FILE") + "|ADD[DEF]" + EncodeLine(name) + "=" +
                                       EncodeLine("Threat") + "|" + EncodeLine("[windir]"));
}

class UpdateCheckTest : public UpdateTest {
  protected:
    UpdateCheckTest() { program.WriteFile("date.dat", "4/1/2006\r\n"); }

    // Runs the update command as the Live Update button does.
    void RunUpdate() { Main().cmdUpdate.Click(); }

    std::string NoticeText() {
        auto* notice = forms::LoadedInstance<FrmSignatureUpdatedForm>();
        return notice != nullptr && notice->Visible() ? notice->lblUpdateInfo.Caption() : "";
    }

    std::string DateFile() const { return ReadHostFileOrEmpty(program.path() / "date.dat"); }
};

TEST_F(UpdateCheckTest, AnEqualDateFetchesNoPackage) {
    server.Serve("currentDate.txt", "4/1/2006 12:00:00 AM");
    server.Serve("package.txt", AddFileRecord("never.exe"));

    RunUpdate();

    EXPECT_EQ(server.RequestLines(), Lines{kDateRequest});
    EXPECT_EQ(NoticeText(), kRecentText);
    EXPECT_EQ(DateFile(), "4/1/2006\r\n");
    EXPECT_FALSE(forms::IsLoaded<FrmDownloadForm>());
    EXPECT_TRUE(Main().cmdLiveUpdate.Enabled());
    host.Advance(10s);
    EXPECT_FALSE(forms::IsLoaded<FrmSignatureUpdatedForm>()) << "the notice closes by itself";
}

TEST_F(UpdateCheckTest, ALaterDateFetchesAndAppliesThePackageAndStoresTheNewDate) {
    program.WriteFile("ExeDefinition.dat", "a\r\nb\r\n");
    // The date reply goes on after its time; all of that is dropped before the comparison.
    server.Serve("currentDate.txt", "4/2/2006 9:00:00 AM<html>filler</html>");
    server.Serve("package.txt", AddFileRecord("new.exe"));
    server.Serve("date.txt", "\r\n4/2/2006 9:30:00 AM\r\n");
    Lines statuses;
    bool liveUpdateDisabledMeanwhile = false;
    host.OnEveryDoEvents([&](int) {
        if (auto* download = forms::LoadedInstance<FrmDownloadForm>()) {
            statuses.push_back(download->txtStatus.Text());
        }
        liveUpdateDisabledMeanwhile |= !Main().cmdLiveUpdate.Enabled();
    });

    RunUpdate();

    const Lines requests = server.RequestLines();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0], kDateRequest);
    EXPECT_EQ(requests[1],
              "GET /asp/getDefsNEW.asp?prog=Toll%20Wark&comp=Toll%20Wark%20Labs&date=4/1/2006 "
              "HTTP/1.1");
    EXPECT_EQ(requests[2], "GET /asp/date.asp HTTP/1.1");
    EXPECT_EQ(Definitions("FileDefinition.dat"), Lines{"new.exe=Threat|[windir]"});
    EXPECT_EQ(DateFile(), "4/2/2006 9:30:00 AM\r\n");
    EXPECT_EQ(Main().lblDefVersion.Caption(), "4/2/2006 9:30:00 AM PST");
    EXPECT_EQ(gDefinitionsTotal, 3) << "recounted: two program definitions and the new file one";
    EXPECT_EQ(GetSetting(gProgramName, "OptionAndSettings", "SHOW", ""), "True");
    EXPECT_EQ(GetSetting(gProgramName, "OptionAndSettings", "RESTART", ""), "True");
    EXPECT_EQ(NoticeText(), kUpdatedText);
    EXPECT_EQ(statuses.front(), "Connecting to the definition server, please wait.");
    EXPECT_NE(std::find(statuses.begin(), statuses.end(), "Applying new updates..."),
              statuses.end());
    EXPECT_TRUE(liveUpdateDisabledMeanwhile);
    EXPECT_TRUE(Main().cmdLiveUpdate.Enabled());
    EXPECT_TRUE(Main().cmdScan.Enabled());
    EXPECT_FALSE(forms::IsLoaded<FrmDownloadForm>());
}

TEST_F(UpdateCheckTest, WithoutDateDatTheBuiltInDateIsSentAndAnUnreadableNewDateKeepsTheServers) {
    std::filesystem::remove(program.path() / "date.dat");
    server.Serve("currentDate.txt", "4/2/2006 9:00:00 AM");
    server.Serve("package.txt", AddFileRecord("new.exe"));
    // No date.txt: the new-date request is answered with an error page.

    RunUpdate();

    EXPECT_EQ(server.RequestLines().at(1),
              "GET /asp/getDefsNEW.asp?prog=Toll%20Wark&comp=Toll%20Wark%20Labs&date=3/16/2006 "
              "HTTP/1.1");
    EXPECT_EQ(DateFile(), "4/2/2006 9:00:00 AM\r\n");
}

TEST_F(UpdateCheckTest, APackageWithoutChangesAfterANewerDateIsAFailureAndKeepsTheDate) {
    server.Serve("currentDate.txt", "4/2/2006 9:00:00 AM");
    server.Serve("package.txt", "<html>nothing new</html>");
    server.Serve("date.txt", "4/2/2006 9:30:00 AM");

    RunUpdate();

    EXPECT_EQ(server.RequestLines().size(), 2u) << "no new date is asked for";
    EXPECT_EQ(DateFile(), "4/1/2006\r\n");
    EXPECT_EQ(NoticeText(), kFailedText);
}

TEST_F(UpdateCheckTest, NoServerEndsAtOnceChangingNothing) {
    server.Stop();
    const auto started = std::chrono::steady_clock::now();
    bool downloadWindowShown = false;
    host.OnDoEvents(1, [&] { downloadWindowShown = frmDownload().Visible(); });

    RunUpdate();

    EXPECT_LT(std::chrono::steady_clock::now() - started, platform::kHttpConnectTimeout);
    EXPECT_TRUE(downloadWindowShown);
    EXPECT_EQ(NoticeText(), kFailedText) << "never \"most recent\" without an answer";
    EXPECT_EQ(DateFile(), "4/1/2006\r\n");
    EXPECT_FALSE(std::filesystem::exists(program.path() / "FileDefinition.dat"));
    EXPECT_TRUE(Main().cmdLiveUpdate.Enabled());
}

TEST_F(UpdateCheckTest, AServerThatNeverAnswersEndsWithinTheTimeOuts) {
    DefinitionsServerOptions silent;
    silent.delayMs = 600'000;
    DefinitionsServerProcess mute(silent);
    test_support::ScopedEnvironmentVariable muteServer("TOLLENWARK_DEFINITIONS_SERVER",
                                                       mute.BaseUrl());
    const platform::HttpLimits limits = test_support::QuickHttpLimits();
    const test_support::ScopedHttpLimits quick(limits);
    const auto started = std::chrono::steady_clock::now();

    RunUpdate();

    EXPECT_LT(std::chrono::steady_clock::now() - started,
              limits.connectTimeout + limits.stallTimeout);
    EXPECT_EQ(mute.RequestLines(), Lines{kDateRequest});
    EXPECT_EQ(NoticeText(), kFailedText);
    EXPECT_EQ(DateFile(), "4/1/2006\r\n");
}

// The check yields while the server is slow; the update button, the File menu and the automatic
// update pressed meanwhile start no second update.
TEST_F(UpdateCheckTest, NoSecondUpdateStartsWhileOneWaitsForTheServer) {
    DefinitionsServerOptions slowOptions;
    slowOptions.delayMs = 300;
    DefinitionsServerProcess slow(slowOptions);
    test_support::ScopedEnvironmentVariable slowServer("TOLLENWARK_DEFINITIONS_SERVER",
                                                       slow.BaseUrl());
    slow.Serve("currentDate.txt", "4/2/2006 9:00:00 AM");
    slow.Serve("package.txt", AddFileRecord("new.exe"));
    slow.Serve("date.txt", "4/2/2006 9:30:00 AM");
    FrmMainForm& main = Main();
    main.timUpdate.SetEnabled(true);
    main.UpdateIdleTicks = 300;
    bool pressed = false;
    host.OnEveryDoEvents([&](int) {
        if (pressed || slow.RequestLines().empty()) {
            return;  // pressed once, while the server sits on the date request
        }
        pressed = true;
        main.cmdUpdate.Click();
        main.mnuFileItem(4).Click();
        main.timUpdate.Tick();
    });

    RunUpdate();

    EXPECT_TRUE(pressed);
    EXPECT_EQ(slow.RequestLines().size(), 3u) << "date, package and new date, once each";
    EXPECT_EQ(Definitions("FileDefinition.dat"), Lines{"new.exe=Threat|[windir]"});
    EXPECT_FALSE(main.timUpdate.Enabled()) << "the running update stood in for the automatic one";
    EXPECT_TRUE(main.cmdLiveUpdate.Enabled());
    slow.Serve("currentDate.txt", "4/2/2006 9:30:00 AM");
    RunUpdate();
    EXPECT_EQ(slow.RequestLines().size(), 4u) << "the next update runs once this one is over";
}

// While the package trickles in, the user closes the download window, asks for Live Update again
// (which brings the window back rather than starting a second update), then presses Cancel.
TEST_F(UpdateCheckTest, CancelEndsTheTransferAndASecondLiveUpdateBringsTheWindowBack) {
    DefinitionsServerOptions trickling;
    trickling.trickleMs = 50;
    trickling.onlyFile = "package.txt";
    DefinitionsServerProcess slow(trickling);
    test_support::ScopedEnvironmentVariable slowServer("TOLLENWARK_DEFINITIONS_SERVER",
                                                       slow.BaseUrl());
    slow.Serve("currentDate.txt", "4/2/2006 9:00:00 AM");
    slow.Serve("package.txt", AddFileRecord("new.exe"));
    bool shownAgain = false;
    bool cancelled = false;
    host.OnEveryDoEvents([&](int) {
        if (cancelled || slow.RequestLines().size() < 2) {
            return;
        }
        if (!shownAgain) {
            frmDownload().Close();
            Main().cmdUpdate.Click();
            shownAgain = frmDownload().Visible();
        } else {
            cancelled = true;
            frmDownload().Command1.Click();
        }
    });

    RunUpdate();

    EXPECT_TRUE(shownAgain);
    ASSERT_TRUE(cancelled);
    test_support::WaitUntil([&] { return !slow.ClosedConnections().empty(); }, 5s, 20ms);
    EXPECT_EQ(slow.ClosedConnections(), Lines{"package.txt"}) << "the server saw it go";
    EXPECT_EQ(slow.RequestLines().size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(program.path() / "FileDefinition.dat"));
    EXPECT_EQ(DateFile(), "4/1/2006\r\n");
    EXPECT_EQ(NoticeText(), "") << "the user stopped it: nothing to tell";
    EXPECT_FALSE(forms::IsLoaded<FrmDownloadForm>());
    EXPECT_TRUE(Main().cmdLiveUpdate.Enabled());
}

TEST_F(UpdateCheckTest, TheDownloadWindowHoldsTheTrayIconWhileTheUpdateRuns) {
    server.Serve("currentDate.txt", "4/1/2006");
    std::vector<forms::TrayIcon> iconsMeanwhile;
    host.OnDoEvents(1, [&] { iconsMeanwhile = host.TrayIcons(); });

    RunUpdate();

    ASSERT_EQ(iconsMeanwhile.size(), 1u);
    EXPECT_EQ(iconsMeanwhile[0].tip, "Getting latest definitions.");
    EXPECT_TRUE(host.TrayIcons().empty());
}

TEST_F(UpdateCheckTest, TheAutomaticUpdateRunsOnceAfterThreeHundredSecondsWithoutAScan) {
    server.Serve("currentDate.txt", "4/1/2006");
    Main().timUpdate.SetEnabled(true);

    host.Advance(300s);
    EXPECT_EQ(Main().UpdateIdleTicks, 300);
    EXPECT_TRUE(server.RequestLines().empty());

    Main().cmdScanNow.SetEnabled(false);  // a scan runs: ticks neither count nor start the update
    host.Advance(10s);
    EXPECT_EQ(Main().UpdateIdleTicks, 300);
    EXPECT_TRUE(server.RequestLines().empty());

    Main().cmdScanNow.SetEnabled(true);
    host.Advance(1s);
    EXPECT_EQ(server.RequestLines(), Lines{kDateRequest});
    EXPECT_EQ(Main().UpdateIdleTicks, 0);
    EXPECT_FALSE(Main().timUpdate.Enabled());
    host.Advance(400s);
    EXPECT_EQ(server.RequestLines().size(), 1u);
}

TEST_F(UpdateCheckTest, ShiftOnTheUpdateButtonListsTheWholeFileAddresses) {
    gWebsite = "http://example.com/products/";
    forms::TestHost::ExpectedMsgBox box;
    box.style = forms::MsgBoxOkOnly;
    host.ExpectMsgBox(box);

    Main().cmdUpdate.MouseDown(forms::mouse::LeftButton, forms::mouse::ShiftKey, 0, 0);
    Main().cmdUpdate.MouseDown(forms::mouse::LeftButton,
                               forms::mouse::ShiftKey | forms::mouse::CtrlKey, 0, 0);
    Main().cmdUpdate.MouseDown(forms::mouse::LeftButton, 0, 0, 0);

    EXPECT_EQ(gDefinitionsBaseURL, "http://www.example.com");
    ASSERT_EQ(host.MsgBoxesShown().size(), 1u);
    EXPECT_EQ(host.MsgBoxesShown()[0].text.substr(0, 50),
              "http://www.example.com/definitions/version/R.HTM\r\n");
}

}  // namespace
