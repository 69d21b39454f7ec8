// The status panel after the work that changes it: a scan started from the side label, and a
// removal.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/definition_files.h"
#include "foundation/globals.h"
#include "foundation/settings_store.h"
#include "removal_fixture.h"
#include "scan_fixture.h"
#include "support/scoped_environment.h"
#include "support/temporary_folder.h"

namespace {

bool OnlyVisiblePanelIs(const FrmMainForm& window, const forms::Frame& panel) {
    for (const forms::Frame* frame :
         {&window.frmStatus, &window.frmScan, &window.frmResults, &window.frmOptions}) {
        if (frame->Visible() != (frame == &panel)) {
            return false;
        }
    }
    return true;
}

class StatusAfterAScan : public ScanTest {
  protected:
    test_support::TemporaryFolder config{"tollenwark-config"};
    test_support::ScopedEnvironmentVariable settings{"XDG_CONFIG_HOME", config.path().string()};
};

class StatusAfterARemoval : public RemovalTest {};

}  // namespace

TEST_F(StatusAfterAScan, ShowsTheScanDatesTheDefinitionsAndTheScanPanel) {
    for (const char* option : {"chkScanCookies", "chkSweepMemory", "chkScanRegistry"}) {
        SaveSetting(gProgramName, "OptionAndSettings", option, "0");
    }
    WriteEveryDefinitionFile();
    program.WriteFile("date.dat", "4/30/2024 11:00:00 PM\r\n");
    gDefinitionsTotal = 12345;
    Main().optScanAllSelectedHardDrive.SetValue(true);
    host.SetNow({2024, 5, 6, 14, 30, 0});

    Main().lblStart.Click();

    EXPECT_TRUE(OnlyVisiblePanelIs(Main(), Main().frmScan));
    EXPECT_EQ(Main().lblLastScan.Caption(), "5/6/2024 2:30:00 PM");
    EXPECT_EQ(Main().lblLastFullScan.Caption(), "5/6/2024 2:30:00 PM");
    EXPECT_EQ(Main().lblDefCount.Caption(), "12,345");
    EXPECT_EQ(Main().lblDefVersion.Caption(), "4/30/2024 11:00:00 PM PST");
    EXPECT_EQ(Main().lblDefRemoved.Caption(), "0");

    // A quick scan later dates only the last scan.
    Main().optScanOnlyKnownSoftwares.SetValue(true);
    host.SetNow({2024, 5, 7, 9, 0, 0});
    Main().lblStart.Click();
    EXPECT_EQ(Main().lblLastScan.Caption(), "5/7/2024 9:00:00 AM");
    EXPECT_EQ(Main().lblLastFullScan.Caption(), "5/6/2024 2:30:00 PM");
}

TEST_F(StatusAfterARemoval, ShowsTheNewRemovedTotalBesideTheResults) {
    AddFileThreat(WriteFileOnC("Program Files/Bad/bad.exe", "bad program"), "BadThing");
    UserTicks(1);
    SaveSetting(gProgramName, "Settings", "lblDefRemoved", "7");
    window.lblDefRemoved.SetCaption("7");

    host.ExpectMsgBox(forms::MsgBoxResult::Yes);
    window.Command4.Click();

    const std::string total = GetSetting(gProgramName, "Settings", "lblDefRemoved", "0");
    EXPECT_NE(total, "7");
    EXPECT_EQ(window.lblDefRemoved.Caption(), total);
    EXPECT_EQ(window.lblLastScan.Caption(), "Never");
    EXPECT_TRUE(OnlyVisiblePanelIs(window, window.frmResults));
}
