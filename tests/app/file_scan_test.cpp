// The known-spyware phase over real files and folders of a temporary prefix, run as the user
// starts a scan, with the other phases switched off.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/globals.h"
#include "foundation/definition_files.h"
#include "foundation/exclusion_list.h"
#include "foundation/globals.h"
#include "foundation/settings_store.h"
#include "scan_fixture.h"
#include "support/portable_executable.h"

namespace {

class FileScanTest : public ScanTest {
  protected:
    FileScanTest() {
        for (const auto& [key, value] : {std::pair{"chkScanCookies", "0"},
                                         {"chkSweepMemory", "False"},
                                         {"chkScanRegistry", "False"}}) {
            SaveSetting(gProgramName, "OptionAndSettings", key, value);
        }
    }

    void Plant(const std::string& belowDriveC, std::string_view bytes = "spy") const {
        machine.prefix().WriteFile(belowDriveC, bytes);
    }
    void PlantFolder(const std::string& belowDriveC) const {
        std::filesystem::create_directories(machine.prefix().DriveC(belowDriveC));
    }

    void Scan(const std::vector<std::string>& files, const std::vector<std::string>& folders) {
        WriteDefinitions(kFileDefinitionFile, files);
        WriteDefinitions(kDirectoryDefinitionFile, folders);
        WriteEveryDefinitionFile();
        gFileDefCount = static_cast<std::int32_t>(files.size() + folders.size());
        gDefinitionsTotal = gFileDefCount;
        Main().cmdScanNow.Click();
    }

    std::vector<std::string> ScanLog() { return RowTexts(Main().lvwSpywareFound); }
    std::vector<std::string> Threats() {
        return RowTexts(Main().lvwPicRemoveListOfSpywareFoundAndToBeRemoved);
    }
    std::vector<std::string> Traces() { return RowTexts(Main().lvwFilesToBeDeleted); }
};

TEST_F(FileScanTest, ListsEachThreatOnceWithATraceForEveryHit) {
    Plant("Program Files/Spy/spy.exe");
    Plant("Program Files/Spy/helper.dll");
    PlantFolder("Program Files/Spy");
    Scan(
        {
            "spy.exe=SpyBot|[drive]Program Files\\Spy|Dialer",
            "gone.exe=Gone|[drive]Program Files\\Spy",
            " helper.dll =SpyBot|[drive]Program Files\\Spy",
            "no threat name|[drive]Program Files\\Spy",
        },
        {"Spy folder=SpyBot|[drive]Program Files\\Spy", "label only=Nothing"});

    EXPECT_EQ(ScanLog(), (std::vector<std::string>{"SpyBot - Found"}));
    ASSERT_EQ(Threats(), (std::vector<std::string>{"SpyBot"}));
    const forms::ListItem& threat =
        Main().lvwPicRemoveListOfSpywareFoundAndToBeRemoved.ListItems(1);
    EXPECT_EQ(threat.SmallIcon(), 3);
    EXPECT_EQ(threat.SubItems(1), "C:\\Program Files\\Spy\\spy.exe");
    EXPECT_EQ(threat.SubItems(2), "Dialer");
    EXPECT_EQ(Traces(), (std::vector<std::string>{"C:\\Program Files\\Spy\\spy.exe",
                                                  "C:\\Program Files\\Spy\\helper.dll",
                                                  "C:\\Program Files\\Spy"}));
    EXPECT_EQ(Main().lvwFilesToBeDeleted.ListItems(3).SubItems(1), "SpyBot");
    EXPECT_EQ(Main().lbltracesFound.Caption(), "3");
    EXPECT_EQ(gSoftwareFound, 1);
    // Records without a threat name and folder records without a folder are not counted.
    EXPECT_EQ(gFilesFolderInspected, 4);
}

TEST_F(FileScanTest, AFolderRecordListsTheFolderAsAThreatOfItsOwn) {
    PlantFolder("windows/Toolbar");
    Scan({}, {"Toolbar=BarWare|[windir]Toolbar|Adware"});

    EXPECT_EQ(ScanLog(), (std::vector<std::string>{"BarWare - Found"}));
    const forms::ListItem& threat =
        Main().lvwPicRemoveListOfSpywareFoundAndToBeRemoved.ListItems(1);
    EXPECT_EQ(threat.SmallIcon(), 4);
    EXPECT_EQ(threat.SubItems(1), "C:\\windows\\Toolbar");
    EXPECT_EQ(Traces(), (std::vector<std::string>{"C:\\windows\\Toolbar"}));
}

TEST_F(FileScanTest, SystemFilesAndSafeFilesAreNeverListed) {
    using test_support::PortableExecutable;
    using test_support::VersionResource;
    Plant("windows/system32/shell.dll",
          PortableExecutable(VersionResource(" microsoft CORPORATION ")));
    Plant("windows/system32/vendor.dll", PortableExecutable(VersionResource("Acme Tools")));
    Plant("Tools/good.exe");
    WriteDefinitions(kSafetyFile, {"SEXE|good.exe=x|[drive]Tools\\good.exe"});
    Scan({"shell.dll=Fake|[system]", "vendor.dll=Vendor|[system]", "good.exe=Good|[drive]Tools"},
         {});

    EXPECT_EQ(ScanLog(), (std::vector<std::string>{"Vendor - Found"}));
    EXPECT_EQ(Traces(), (std::vector<std::string>{"C:\\windows\\system32\\vendor.dll"}));
}

TEST_F(FileScanTest, ExcludedItemsLeaveOnlyTheirLineOnEveryScan) {
    Plant("Program Files/X/Y/bad.exe");
    ASSERT_TRUE(AddExclusion("C:\\Program Files\\X\\Y\\bad.exe"));
    ASSERT_TRUE(AddExclusion("C:\\Program Files\\X\\Y"));
    const std::vector<std::string> files = {"bad.exe=Bad|[drive]Program Files\\X\\Y"};
    // The folder above an excluded folder counts as excluded too.
    const std::vector<std::string> folders = {"X=Bad|[drive]Program Files\\X"};
    const std::vector<std::string> expected = {"EXCLUDED: C:\\Program Files\\X\\Y\\bad.exe",
                                               "EXCLUDED: C:\\Program Files\\X"};
    for (int scan = 1; scan <= 2; ++scan) {
        Scan(files, folders);
        EXPECT_EQ(ScanLog(), expected) << "scan " << scan;
        EXPECT_EQ(Main().lvwSpywareFound.ListItems(1).SmallIcon(), 5);
        EXPECT_TRUE(Threats().empty());
        EXPECT_TRUE(Traces().empty());
        EXPECT_EQ(gSoftwareFound, 0);
    }
}

TEST_F(FileScanTest, AStopEndsThePhaseAfterTheCurrentItem) {
    for (const char* name : {"a.exe", "b.exe", "c.exe"}) {
        Plant(std::string("Spy/") + name);
    }
    // The first record yields once when it is done; the stop comes inside that yield.
    host.OnEveryDoEvents([&](int) {
        if (gFilesFolderInspected == 1 && !gStopScan) {
            host.ExpectMsgBox(forms::MsgBoxResult::Yes, "Are you sure you want to stop the scan?");
            Main().cmdStop.Click();
        }
    });
    PlantFolder("Spy");
    Scan({"a.exe=A|[drive]Spy", "b.exe=B|[drive]Spy", "c.exe=C|[drive]Spy"}, {"Spy=S|[drive]Spy"});

    EXPECT_EQ(Threats(), (std::vector<std::string>{"A"}));
    EXPECT_EQ(gFilesFolderInspected, 1) << "the folder pass ends at its first test";
    EXPECT_EQ(Main().lblStatus(0).Caption(), "Scanning was cancelled.");
}

}  // namespace
