// The memory phase of a scan and the older platform family's check, on a scripted process table
// (wine_programs_test.cpp runs real Windows programs under Wine).
#include "engine/memory_scan.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/globals.h"
#include "engine/spyware_alert.h"
#include "forms/form_registry.h"
#include "foundation/exclusion_list.h"
#include "foundation/globals.h"
#include "foundation/settings_store.h"
#include "memory_fixture.h"
#include "ui/frm_main.h"
#include "ui/frm_spyware_found_alert.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using namespace std::string_literals;
using forms::MsgBoxResult;
using platform::ProcessId;

constexpr char kBadToolRecord[] = "badtool.exe=Bad Tool|[progfil]Bad";
constexpr char kBadTool[] = "C:\\Program Files\\Bad\\badtool.exe";

int IconOfLastLine() {
    forms::ListView& log = FrmMain().lvwSpywareFound;
    return log.ListItems(log.ListItems.Count()).SmallIcon();
}

void StartScan() {
    FrmMain().cmdScan.SetEnabled(false);
}

// --- The newer platform family.

class MemoryPhase : public FakeMemoryTest {
  protected:
    static constexpr ProcessId kBadToolId = 42;

    void RunBadTool() { Run(kBadToolId, kBadTool); }
    bool BadToolStopped() const {
        return processes.terminated == std::vector<ProcessId>{kBadToolId};
    }
};

TEST_F(MemoryPhase, StopsAListedProgramAndLogsIt) {
    WriteProgramDefinitions({"other.exe=Other|[windir]", kBadToolRecord});
    Run(10, "C:\\windows\\system32\\services.exe");
    RunBadTool();
    Run(43, "C:\\Program Files\\Good\\badtool.exe");
    StartScan();
    ScanMemoryByPlatform();
    EXPECT_EQ(ScanLog(), std::vector<std::string>{
                             "Detected in the memory : BADTOOL.EXE was stopped from running."});
    EXPECT_EQ(IconOfLastLine(), 3);
    EXPECT_TRUE(BadToolStopped());
    EXPECT_EQ(gSoftwareFound, 1);
    EXPECT_EQ(Main().lblTotalNoOfRunningItems.Caption(), "3");
    EXPECT_EQ(gMemoryInspected, 2 + 3);
    EXPECT_EQ(gModulePathCache, "|C:\\WINDOWS\\OTHER.EXE|C:\\PROGRAM FILES\\BAD\\BADTOOL.EXE|");
}

TEST_F(MemoryPhase, AScanStopsAPlantedProgramAndCountsIt) {
    SaveSetting(gProgramName, "OptionAndSettings", "chkScanCookies", "0");
    SaveSetting(gProgramName, "OptionAndSettings", "chkScanRegistry", "False");
    WriteProgramDefinitions({kBadToolRecord});
    WriteEveryDefinitionFile();
    RunBadTool();
    Main().cmdScanNow.Click();
    EXPECT_EQ(ScanLog(), std::vector<std::string>{
                             "Detected in the memory : BADTOOL.EXE was stopped from running."});
    EXPECT_TRUE(BadToolStopped());
    EXPECT_EQ(gSoftwareFound, 1);
    EXPECT_EQ(Main().lblStatus(0).Caption(), "Scanning complete.");
    EXPECT_TRUE(Main().cmdScan.Enabled());
}

TEST_F(MemoryPhase, AnExcludedProgramIsListedAsExcludedAndKeepsRunning) {
    WriteProgramDefinitions({kBadToolRecord});
    ASSERT_TRUE(AddExclusion("BADTOOL.EXE"));
    RunBadTool();
    StartScan();
    ScanMemoryByPlatform();
    ScanMemoryByPlatform();
    EXPECT_EQ(ScanLog(),
              (std::vector<std::string>{"EXCLUDED: BADTOOL.EXE", "EXCLUDED: BADTOOL.EXE"}));
    EXPECT_EQ(IconOfLastLine(), 5);
    EXPECT_TRUE(processes.terminated.empty());
    EXPECT_EQ(gSoftwareFound, 0);
}

TEST_F(MemoryPhase, AProgramInAnotherFolderIsNotTheOneListed) {
    WriteProgramDefinitions({"badtool.exe=Bad Tool|[progfil]Elsewhere"});
    RunBadTool();
    StartScan();
    ScanMemoryByPlatform();
    EXPECT_TRUE(ScanLog().empty());
    EXPECT_TRUE(processes.terminated.empty());
}

TEST_F(MemoryPhase, AStoppedScanReportsNothingAndAMissingFileMatchesNothing) {
    WriteProgramDefinitions({kBadToolRecord});
    RunBadTool();
    gStopScan = true;
    ScanMemoryByPlatform();  // the shield after a stopped scan
    EXPECT_TRUE(ScanLog().empty());
    EXPECT_EQ(gModulePathCache, "");

    gStopScan = false;
    fs::remove(program.path() / "ExeDefinition.dat");
    StartScan();
    ScanMemoryByPlatform();
    EXPECT_TRUE(ScanLog().empty());
    EXPECT_TRUE(processes.terminated.empty());
    EXPECT_EQ(Main().lblTotalNoOfRunningItems.Caption(), "1");
}

class MemoryPhaseTable : public FakeMemoryTest {};

TEST_F(MemoryPhaseTable, ExaminesEveryProcessBeyondTheFirstHundredAndTwentyEight) {
    WriteProgramDefinitions({kBadToolRecord});
    for (ProcessId id = 100; id < 399; ++id) {
        Run(id, "C:\\Program Files\\Tool\\tool" + std::to_string(id) + ".exe");
    }
    Run(399, kBadTool);
    StartScan();
    ScanMemoryByPlatform();
    EXPECT_EQ(processes.terminated, std::vector<ProcessId>{399});
    EXPECT_EQ(Main().lblTotalNoOfRunningItems.Caption(), "300");
    EXPECT_EQ(gMemoryInspected, 301);
}

TEST_F(MemoryPhaseTable, LeavesTheSystemsOwnProgramsAndTheHelperAlone) {
    WriteProgramDefinitions({"svchost.exe=Fake Host|[system]", "notepad.exe=Pad|[windir]",
                             "AdwareProcessHelper.exe=Helper|[progfil]Bad"});
    machine.prefix().WriteFile("windows/system32/svchost.exe",
                               "MZ StringFileInfo CompanyName\0MICROSOFT Corporation\0\0\0"s);
    Run(10, "C:\\windows\\system32\\svchost.exe");
    Run(11, "C:\\Program Files\\Bad\\adwareprocesshelper.exe");
    Run(12, "D:\\Old\\SYSTEM32\\..\\windows\\notepad.exe");  // listed, but its path is not
    StartScan();
    ScanMemoryByPlatform();
    EXPECT_TRUE(processes.terminated.empty());
    EXPECT_TRUE(ScanLog().empty());
    EXPECT_EQ(gSoftwareFound, 0);
}

TEST_F(MemoryPhaseTable, ASystemFolderPathMatchesWhateverStandsBeforeSystem32) {
    WriteProgramDefinitions({"spy.exe=Spy|[system]"});
    Run(20, "E:\\Backup\\System32\\spy.exe");
    StartScan();
    ScanMemoryByPlatform();
    EXPECT_EQ(processes.terminated, std::vector<ProcessId>{20});
    EXPECT_EQ(ScanLog(), std::vector<std::string>{
                             "Detected in the memory : SPY.EXE was stopped from running."});
}

TEST_F(MemoryPhaseTable, AProgramThatCannotBeStoppedIsNotLoggedAsStopped) {
    WriteProgramDefinitions({kBadToolRecord});
    Run(30, kBadTool).refusedTerminations = platform::FakeProcess::kRefusesForever;
    StartScan();
    ScanMemoryByPlatform();
    EXPECT_EQ(ScanLog(), std::vector<std::string>{
                             "Detected in the memory : BADTOOL.EXE could not be stopped."});
    EXPECT_EQ(gSoftwareFound, 1);
}

TEST_F(MemoryPhaseTable, OutsideAScanEachProgramWaitsForItsAlert) {
    WriteProgramDefinitions({kBadToolRecord, "spy.exe=Spy|[progfil]Bad"});
    Run(40, kBadTool);
    Run(41, "C:\\Program Files\\Bad\\spy.exe");
    std::vector<std::string> alerted;
    host.OnEveryDoEvents([&](int) {
        if (!gAlertAnswered && forms::IsLoaded<FrmSpywareFoundAlertForm>()) {
            FrmSpywareFoundAlertForm& alert = frmSpywareFoundAlert();
            alerted.push_back(alert.lblAlertFileName.Caption());
            (alerted.size() == 1 ? alert.cmdYes : alert.cmdNO).Click();
        }
    });
    ScanMemoryByPlatform();
    EXPECT_EQ(alerted, (std::vector<std::string>{"BADTOOL.EXE", "SPY.EXE"}));
    EXPECT_EQ(processes.terminated, std::vector<ProcessId>{40});
    EXPECT_EQ(ExclusionFileText(), "SPY.EXE\r\n");
    EXPECT_TRUE(ScanLog().empty());
}

// --- The older platform family.

class OlderFamily : public FakeMemoryTest {
  protected:
    OlderFamily() {
        machine.machine().OverrideVersion(
            platform::OsVersion{platform::VER_PLATFORM_WIN32_WINDOWS, 4, 90, 3000});
        processes.snapshotOnly = true;
    }

    std::string QuestionText() const {
        return "[ProgramName] has found [BADTOOL.EXE] using you system memory. Click YES to stop "
               "[BADTOOL.EXE] from using your system memory. Otherwise click No.";
    }
};

TEST_F(OlderFamily, InsideAScanStopsTheProgramAndKeepsTheDefinitionsForLater) {
    WriteProgramDefinitions({kBadToolRecord, "spy.exe"});
    Run(50, "C:\\Program Files\\Bad\\BadTool.exe");
    Run(51, "C:\\Temp\\spy.exe");
    StartScan();
    ScanMemoryByPlatform();
    EXPECT_EQ(ScanLog(),
              (std::vector<std::string>{
                  "Detected in the memory : BADTOOL.EXE and was stopped being from ruuning.",
                  "Detected in the memory : SPY.EXE and was stopped being from ruuning."}));
    EXPECT_EQ(processes.terminated, (std::vector<ProcessId>{50, 51}));
    EXPECT_EQ(gMemoryInspected, 2);
    EXPECT_EQ(Main().lblTotalNoOfRunningItems.Caption(), "2");

    // The definitions are read once: a later run counts them without the file.
    fs::remove(program.path() / "ExeDefinition.dat");
    Run(52, "C:\\Temp\\spy.exe");
    ScanMemoryByPlatform();
    EXPECT_EQ(processes.terminated.back(), 52u);
    EXPECT_EQ(gMemoryInspected, 4);
    EXPECT_EQ(Main().lblTotalNoOfRunningItems.Caption(), "3");
}

TEST_F(OlderFamily, OutsideAScanYesStopsAndNoExcludesForGood) {
    WriteProgramDefinitions({kBadToolRecord});
    Run(60, kBadTool);
    host.ExpectMsgBox({MsgBoxResult::No, QuestionText(), gProgramName + "  - Alert",
                       forms::MsgBoxYesNo | forms::MsgBoxQuestion, nullptr});
    ScanMemoryByPlatform();
    EXPECT_EQ(ExclusionFileText(), "BADTOOL.EXE\r\n");
    EXPECT_TRUE(processes.terminated.empty());

    ScanMemoryByPlatform();  // not asked again
    EXPECT_EQ(host.MsgBoxesShown().size(), 1u);
    EXPECT_EQ(ScanLog(), std::vector<std::string>{"EXCLUDED: BADTOOL.EXE"});

    gExclusionList.clear();
    host.ExpectMsgBox(MsgBoxResult::Yes, QuestionText());
    ScanMemoryByPlatform();
    EXPECT_EQ(processes.terminated, std::vector<ProcessId>{60});
    EXPECT_EQ(gSoftwareFound, 1);
}

TEST_F(OlderFamily, WithoutDefinitionsOrWithAnotherPlatformNothingIsLooked) {
    Run(70, kBadTool);
    ScanMemoryByPlatform();
    EXPECT_EQ(Main().lblTotalNoOfRunningItems.Caption(), "0");

    WriteProgramDefinitions({kBadToolRecord});
    machine.machine().OverrideVersion(platform::OsVersion{3, 1, 0, 0});
    ScanMemoryByPlatform();
    EXPECT_TRUE(processes.calls.empty());
    EXPECT_EQ(gProcessNameCache, "");
}

}  // namespace
