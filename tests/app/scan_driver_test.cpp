// A scan as the user starts it: the window's state around it, the order of its phases, the
// definitions check, pause and stop, and what it saves.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "engine/globals.h"
#include "foundation/definition_files.h"
#include "foundation/globals.h"
#include "foundation/settings_store.h"
#include "localization/globals.h"
#include "platform/file_attributes.h"
#include "platform/host_files.h"
#include "platform/wine_hive_text.h"
#include "scan_fixture.h"

namespace {

namespace fs = std::filesystem;

class ScanDriverTest : public ScanTest {
  protected:
    void SetOption(const char* key, const char* value) {
        SaveSetting(gProgramName, "OptionAndSettings", key, value);
    }
    void SwitchOptionalPhasesOff() {
        SetOption("chkScanCookies", "0");
        SetOption("chkSweepMemory", "False");
        SetOption("chkScanRegistry", "False");
    }
    std::string StatusSetting(const char* key) {
        return GetSetting(gProgramName, "Settings", key, "Never");
    }
    // A file that two records name, so the known-spyware phase has items to yield between.
    void WriteFileDefinitions(int records = 2) {
        machine.prefix().WriteFile("Spy/spy.exe", "spy");
        std::vector<std::string> lines;
        for (int i = 0; i < records; ++i) {
            lines.push_back("spy.exe=SpyBot|[drive]Spy");
        }
        WriteDefinitions(kFileDefinitionFile, lines);
        gFileDefCount = records;
        gDefinitionsTotal = records;
    }
    bool ProgramFileExists(std::string_view name) const {
        return fs::exists(program.path() / name);
    }
};

TEST_F(ScanDriverTest, WithEveryOptionOffOnlyTheKnownSpywarePhaseRuns) {
    SwitchOptionalPhasesOff();
    WriteFileDefinitions();
    WriteEveryDefinitionFile();
    bool checkedWhileScanning = false;
    host.OnDoEvents(1, [&] {
        checkedWhileScanning = true;
        EXPECT_FALSE(Main().cmdScanNow.Enabled());
        EXPECT_FALSE(Main().cmdScan.Enabled());
        EXPECT_TRUE(Main().cmdStop.Enabled());
        EXPECT_TRUE(Main().cmdPause.Enabled());
        EXPECT_FALSE(Main().cmdResults.Enabled());
        EXPECT_FALSE(Main().tmrMemoryInspected.Enabled());
        EXPECT_EQ(Main().lblPercentageCompleted.Caption(), "Scanning known Spyware/Adware");
        EXPECT_EQ(gScanStatusSuffix, "Scanning known Spyware/Adware: ");
    });
    Main().cmdScanNow.Click();

    EXPECT_TRUE(checkedWhileScanning);
    EXPECT_EQ(Main().lblMemoryInspected.Caption(), "Not Selected");
    EXPECT_EQ(Main().lblRegistryInspected.Caption(), "Not Selected");
    EXPECT_EQ(RowTexts(Main().lvwPicRemoveListOfSpywareFoundAndToBeRemoved),
              (std::vector<std::string>{"SpyBot"}));
    // Far fewer than a hundred items: the closing counts are the scan's own all the same.
    EXPECT_EQ(Main().lblSoftwareFound.Caption(), "1");
    EXPECT_EQ(Main().lblRemovePicSoftwareFound.Caption(), "1");
    EXPECT_GT(gFilesFolderInspected, 0);
    EXPECT_EQ(Main().lblFilesFolderInspected.Caption(), std::to_string(gFilesFolderInspected));
    EXPECT_EQ(Main().lblStatus(0).Caption(), "Scanning complete.");
    EXPECT_EQ(Main().pb1.Value(), 100);
    EXPECT_EQ(Main().pb2.Value(), 100);
    EXPECT_TRUE(Main().cmdScanNow.Enabled());
    EXPECT_FALSE(Main().cmdStop.Enabled());
    EXPECT_FALSE(Main().cmdPause.Enabled());
    EXPECT_TRUE(Main().cmdRemove.Visible());
    EXPECT_TRUE(Main().tmrTimeOut.Enabled());
    // A quick scan dates the last scan only.
    EXPECT_EQ(Main().ScanStartedAt, "3/16/2006 10:00:00 AM");
    EXPECT_EQ(StatusSetting("lblLastScan"), Main().ScanFinishedAt);
    EXPECT_EQ(StatusSetting("lblLastFullScan"), "Never");
}

TEST_F(ScanDriverTest, ACompleteSystemScanDatesBothLastScans) {
    SwitchOptionalPhasesOff();
    WriteEveryDefinitionFile();
    Main().optScanAllSelectedHardDrive.SetValue(true);
    host.SetNow({2024, 5, 6, 14, 30, 0});
    Main().cmdScanNow.Click();

    EXPECT_EQ(Main().ScanFinishedAt, "5/6/2024 2:30:00 PM");
    EXPECT_EQ(StatusSetting("lblLastScan"), "5/6/2024 2:30:00 PM");
    EXPECT_EQ(StatusSetting("lblLastFullScan"), "5/6/2024 2:30:00 PM");
}

TEST_F(ScanDriverTest, AMissingDefinitionFilePurgesTheDefinitionsAndScansNothing) {
    SwitchOptionalPhasesOff();
    WriteFileDefinitions();
    for (const std::string_view name :
         {kRegistryDefinitionFile, kExeDefinitionFile, kBlockedCookiesFile, kSafetyFile}) {
        WriteDefinitions(name, {});
    }
    program.WriteFile("date.dat", "5/1/2024\r\n");
    host.ExpectMsgBox(
        {forms::MsgBoxResult::Ok,
         "Definition files are missing or they have been corrupted. Please run "
         "Live Update.",
         gProgramName, forms::MsgBoxOkOnly | forms::MsgBoxInformation,
         [&] { EXPECT_EQ(Main().lblDefVersion.Caption(), "Files Missing, Run Live Update"); }});
    Main().cmdScanNow.Click();

    for (const std::string_view name :
         {kFileDefinitionFile, kRegistryDefinitionFile, kExeDefinitionFile, kBlockedCookiesFile,
          kDefinitionsDateFile}) {
        EXPECT_FALSE(ProgramFileExists(name)) << name;
    }
    EXPECT_TRUE(ProgramFileExists(kSafetyFile));
    EXPECT_EQ(Main().lvwSpywareFound.ListItems.Count(), 0);
    EXPECT_EQ(Main().lvwFilesToBeDeleted.ListItems.Count(), 0);
    // Nothing was scanned, and nothing says otherwise: no last-scan date, no "complete", and the
    // status page still asks for an update.
    EXPECT_EQ(StatusSetting("lblLastScan"), "Never");
    EXPECT_EQ(Main().lblStatus(0).Caption(), "Files Missing, Run Live Update");
    EXPECT_EQ(Main().lblDefVersion.Caption(), "Files Missing, Run Live Update");
    EXPECT_EQ(Main().pb2.Value(), 0);
    EXPECT_TRUE(Main().cmdScanNow.Enabled());
}

TEST_F(ScanDriverTest, AHiddenDefinitionFileCountsAsMissing) {
    SwitchOptionalPhasesOff();
    WriteFileDefinitions();
    WriteEveryDefinitionFile();
    ASSERT_TRUE(platform::WriteDosAttributeBits(program.path() / kFileDefinitionFile,
                                                platform::FILE_ATTRIBUTE_HIDDEN));
    host.ExpectMsgBox(forms::MsgBoxResult::Ok);
    Main().cmdScanNow.Click();

    EXPECT_FALSE(ProgramFileExists(kFileDefinitionFile));
    EXPECT_FALSE(ProgramFileExists(kDirectoryDefinitionFile));
    EXPECT_EQ(Main().lvwPicRemoveListOfSpywareFoundAndToBeRemoved.ListItems.Count(), 0);
}

// A scan keeps what it learns of the disk and the hives only while it runs: the next scan sees
// files, folders and registry entries that came or went in between, also when another program
// changed the hive file.
TEST_F(ScanDriverTest, EachScanSeesTheMachineAsItStandsWhenItStarts) {
    SwitchOptionalPhasesOff();
    SetOption("chkScanRegistry", "True");
    machine.prefix().WriteFile("Spy/readme.txt", "the folder is there, the threats are not");
    WriteDefinitions(kFileDefinitionFile, {"spy.exe=SpyFile|[drive]Spy"});
    WriteDefinitions(kDirectoryDefinitionFile, {"sub=SpyFolder|[drive]Spy\\Sub"});
    WriteDefinitions(kRegistryDefinitionFile, {"2^Software\\Spy^Run=SpyEntry"});
    WriteEveryDefinitionFile();
    const fs::path machineHive = machine.prefix().root() / "system.reg";
    std::string hiveAsItWas;
    ASSERT_EQ(platform::ReadHostFile(machineHive, &hiveAsItWas), platform::ERROR_SUCCESS);
    const auto threats = [this] {
        Main().cmdScanNow.Click();
        return RowTexts(Main().lvwPicRemoveListOfSpywareFoundAndToBeRemoved);
    };

    EXPECT_EQ(threats(), std::vector<std::string>{});
    machine.prefix().WriteFile("Spy/SPY.EXE", "spy");
    fs::create_directories(machine.prefix().DriveC("Spy/Sub"));
    platform::WineHiveText added("REGISTRY\\Machine", 1700000000);
    added.Key("Software\\Spy");
    added.String("Run", "spy.exe");
    std::ofstream(machineHive, std::ios::app) << added.text().substr(added.text().find("\n["));
    EXPECT_EQ(threats(), (std::vector<std::string>{"SpyEntry", "SpyFile", "SpyFolder"}));
    fs::remove_all(machine.prefix().DriveC("Spy"));
    std::ofstream(machineHive, std::ios::trunc) << hiveAsItWas;
    EXPECT_EQ(threats(), std::vector<std::string>{});
}

TEST_F(ScanDriverTest, ThePauseBoxHoldsTheScanAtItsItem) {
    SwitchOptionalPhasesOff();
    WriteFileDefinitions(3);
    WriteEveryDefinitionFile();
    host.OnDoEvents(1, [&] {
        const std::int32_t examined = gFilesFolderInspected;
        host.ExpectMsgBox({forms::MsgBoxResult::Ok, gLanguages->getMessages("MSG_PAUSED"),
                           gProgramName, forms::MsgBoxOkOnly | forms::MsgBoxInformation, [&] {
                               EXPECT_FALSE(Main().cmdPause.Enabled());
                               EXPECT_FALSE(Main().cmdStop.Enabled());
                           }});
        Main().cmdPause.Click();
        EXPECT_EQ(gFilesFolderInspected, examined);
        EXPECT_TRUE(Main().cmdPause.Enabled());
        EXPECT_TRUE(Main().cmdStop.Enabled());
    });
    Main().cmdScanNow.Click();

    EXPECT_EQ(gFilesFolderInspected, 3);
    EXPECT_EQ(Main().lblStatus(0).Caption(), "Scanning complete.");
}

TEST_F(ScanDriverTest, AStopShowsTheCancelledStateAndKeepsTheRows) {
    SwitchOptionalPhasesOff();
    WriteFileDefinitions(3);
    WriteEveryDefinitionFile();
    // A "No" changes nothing; the "Yes" that follows stops the scan.
    host.OnDoEvents(1, [&] {
        host.ExpectMsgBox(forms::MsgBoxResult::No, "Are you sure you want to stop the scan?");
        Main().cmdStop.Click();
        EXPECT_FALSE(gStopScan);
        host.ExpectMsgBox(forms::MsgBoxResult::Yes);
        Main().cmdStop.Click();
    });
    Main().cmdScanNow.Click();

    EXPECT_TRUE(gStopScan) << "the flag stays set until the next scan";
    EXPECT_EQ(gFilesFolderInspected, 1);
    EXPECT_EQ(Main().lvwFilesToBeDeleted.ListItems.Count(), 1);
    EXPECT_EQ(Main().lblStatus(0).Caption(), "Scanning was cancelled.");
    EXPECT_EQ(Main().lblPercentageCompleted.Caption(), "0% Completed.");
    EXPECT_EQ(Main().pbgMain.Value(), 0);
    EXPECT_TRUE(Main().cmdScanNow.Enabled());

    // The next scan starts afresh.
    Main().cmdScanNow.Click();
    EXPECT_FALSE(gStopScan);
    EXPECT_EQ(gFilesFolderInspected, 3);
    EXPECT_EQ(Main().lvwFilesToBeDeleted.ListItems.Count(), 3);
}

TEST_F(ScanDriverTest, AScheduledScanWithAutomaticRemovalRemovesWhatItFoundUnlessStopped) {
    SwitchOptionalPhasesOff();
    WriteFileDefinitions(3);
    WriteEveryDefinitionFile();
    const fs::path planted = machine.prefix().DriveC("Spy/spy.exe");

    gAutoRemoveAfterScan = true;
    host.OnDoEvents(1, [&] {
        host.ExpectMsgBox(forms::MsgBoxResult::Yes);
        Main().cmdStop.Click();
    });
    Main().cmdScanNow.Click();
    EXPECT_TRUE(fs::exists(planted)) << "a stopped scan removes nothing";

    Main().cmdScanNow.Click();
    EXPECT_FALSE(fs::exists(planted));
    EXPECT_TRUE(Main().frmResults.Visible());
}

}  // namespace
