#include <gtest/gtest.h>

#include "forms/form_registry.h"
#include "ui/frm_download.h"
#include "ui/tray.h"
#include "update_fixture.h"

using Lines = std::vector<std::string>;

namespace {

class DownloadWindowTest : public UpdateTest {
  protected:
    // The captions of the next ticks of the animation.
    Lines Captions(int ticks) {
        frmDownload();
        Lines captions;
        for (int i = 0; i < ticks; ++i) {
            host.Advance(std::chrono::milliseconds(800));
            captions.push_back(frmDownload().lblProduct.Caption());
        }
        return captions;
    }
};

TEST_F(DownloadWindowTest, LoadsWithItsOwnTrayIconAndTheConnectingCaption) {
    FrmDownloadForm& window = frmDownload();

    EXPECT_EQ(window.lblProduct.Caption(), "Connecting to server/downloading.....");
    EXPECT_TRUE(window.picUp.Visible());
    EXPECT_FALSE(window.picDown.Visible());
    const auto icons = host.TrayIcons();
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0].owner, window.Hwnd());
    EXPECT_EQ(icons[0].tip, "Getting latest definitions.");
}

TEST_F(DownloadWindowTest, TheAnimationRunsAFifteenTickCycleAcrossLoads) {
    const std::string connecting = "Connecting to server.....";
    const std::string sending = "Sending and receiving data, please wait.";
    const Lines cycle = {"Connecting to the Server.",
                         connecting,
                         sending,
                         sending,
                         sending,
                         sending,
                         "Successfully sent the request.",
                         connecting,
                         "Receiving a response from the Server.",
                         connecting,
                         sending,
                         sending,
                         sending,
                         sending,
                         sending};
    EXPECT_EQ(Captions(15), cycle);
    EXPECT_EQ(Captions(9).back(), "Receiving a response from the Server.");

    frmDownload().Unload();
    // Tick 9 keeps the picture's own caption; a fresh count would have said "Connecting to the
    // Server.".
    EXPECT_EQ(Captions(1), Lines{"Checking for Definitions....."})
        << "the count goes on where the last window left it";
}

TEST_F(DownloadWindowTest, CancelTakesTheWindowAndItsIconAway) {
    frmDownload().Show();
    frmDownload().Command1.Click();

    EXPECT_FALSE(forms::IsLoaded<FrmDownloadForm>());
    EXPECT_TRUE(host.TrayIcons().empty());
    EXPECT_FALSE(gTray.bRunningInTray);
}

TEST_F(DownloadWindowTest, ADoubleClickOnTheIconBringsTheWindowBack) {
    FrmDownloadForm& window = frmDownload();
    window.SetWindowState(forms::WindowState::Minimized);

    host.ClickTrayIcon(window.Hwnd(), forms::tray_message::LeftButtonDown);
    host.ClickTrayIcon(window.Hwnd(), forms::tray_message::RightDoubleClick);
    EXPECT_FALSE(window.Visible());

    host.ClickTrayIcon(window.Hwnd(), forms::tray_message::LeftDoubleClick);
    EXPECT_TRUE(window.Visible());
    EXPECT_EQ(window.WindowState(), forms::WindowState::Normal);
}

}  // namespace
