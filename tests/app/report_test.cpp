// The scan report: its layout, written from the main window after a scan, and its window.
#include <gtest/gtest.h>

#include "engine/scan_report.h"
#include "forms/form_registry.h"
#include "foundation/globals.h"
#include "platform/text_lines.h"
#include "platform/version_block.h"
#include "removal_fixture.h"
#include "ui/frm_report.h"

namespace {

const std::string kDashes(23, '-');

std::vector<std::string> Empty(int count) {
    return std::vector<std::string>(count, "");
}

// Joins pieces of the expected layout.
std::vector<std::string> Lines(std::initializer_list<std::vector<std::string>> pieces) {
    std::vector<std::string> lines;
    for (const auto& piece : pieces) {
        lines.insert(lines.end(), piece.begin(), piece.end());
    }
    return lines;
}

std::vector<std::string> ExpectedHeader(const std::string& titleLine) {
    return Lines({Empty(2),
                  {titleLine},
                  Empty(3),
                  {kDashes, "", " Scan Started at  : 3/16/2006 10:00:00 AM", "",
                   " Scan Finished at : 3/16/2006 10:05:00 AM", "", kDashes},
                  Empty(7),
                  {" 1)Total Number of Cookies and Processes inspected: 120", "",
                   " 2)Total Number of Registry entries inspected: 3,400", "",
                   " 3)Total Number of Files/Folders inspected: Not Selected"},
                  Empty(3)});
}

class ReportTest : public RemovalTest {
  protected:
    ReportTest() {
        window.ScanStartedAt = "3/16/2006 10:00:00 AM";
        window.ScanFinishedAt = "3/16/2006 10:05:00 AM";
        window.lblMemoryInspected.SetCaption("120");
        window.lblRegistryInspected.SetCaption("3,400");
        window.lblFilesFolderInspected.SetCaption("Not Selected");
    }

    std::string TitleLine() const {
        const auto& version = platform::ProgramVersionBlock();
        return std::string(19, ' ') + gProgramName + "v" + std::to_string(version.major) + "." +
               std::to_string(version.minor) + "   Scan Report.";
    }

    std::vector<std::string> WrittenReport() const {
        return platform::SplitTextLines(
            test_support::ReadHostFileOrEmpty(program.path() / "Scan_Log.txt"));
    }
};

TEST_F(ReportTest, AReportListsEveryThreatTheExclusionsAndTheWholeQuarantineLog) {
    AddFileThreat("C:\\Program Files\\Bad\\bad.exe", "Bad.Tool");
    AddRegistryThreat(platform::HKEY_CURRENT_USER, "Software\\Nag", "", "Nag.Ware");
    window.lvwPicRemoveListOfSpywareFoundAndToBeRemoved.ListItems(2).SetChecked(true);
    program.WriteFile("ENoSignature.txt", "C:\\Keep\\tool.exe\r\n\r\n \r\nKeepTool\r\n");
    program.WriteFile("quarantine/QuarantineLog.txt",
                      "3/15/2006 9:00:00 AM - File: old.exe\r\n - Location: C:\\old.exe\r\n\r\n"
                      "\r\n");
    program.WriteFile("Scan_Log.txt", "the previous report, much longer than the new one\r\n");

    window.MakeReport();

    const std::vector<std::string> expected = Lines({
        ExpectedHeader(TitleLine()),
        {"[Threats Detected]", "", ""},
        {"Bad.Tool", "", "C:\\Program Files\\Bad\\bad.exe", "", ""},
        {"Nag.Ware", "", "HKEY_CURRENT_USER\\Software\\Nag", "", ""},
        {"Total = 2", ""},
        {"", "[Files Currently Excluded]", "", "C:\\Keep\\tool.exe", "KeepTool", "", ""},
        {"", "[Current Quarantine Log]", ""},
        {"3/15/2006 9:00:00 AM - File: old.exe", "", " - Location: C:\\old.exe", "", "", "", "",
         ""},
        Empty(4),
        {"", "", "=====================End Of Report."},
    });
    EXPECT_EQ(WrittenReport(), expected);
    EXPECT_EQ(test_support::ReadHostFileOrEmpty(program.path() / "Scan_Log.txt").substr(0, 4),
              "\r\n\r\n");
}

TEST_F(ReportTest, WithoutThreatsExclusionsOrLogTheirBlocksAreLeftOut) {
    program.WriteFile("ENoSignature.txt", "\r\n \r\n");
    window.MakeReport();
    const std::vector<std::string> expected = Lines({
        ExpectedHeader(TitleLine()),
        {"[Threats Detected]", "", ""},
        {"Total = 0", ""},
        {"", "", "=====================End Of Report."},
    });
    EXPECT_EQ(WrittenReport(), expected);
}

TEST(ScanReportLines, PutTheNameAndVersionTogetherInTheTitle) {
    ScanReportData data;
    data.programName = "Tollenwark";
    data.majorVersion = 2;
    data.minorVersion = 5;
    EXPECT_EQ(ScanReportLines(data).at(2), std::string(19, ' ') + "Tollenwarkv2.5   Scan Report.");
}

TEST_F(ReportTest, TheWindowShowsEachTextLineOnItsOwnAndTheExclusionsRunTogether) {
    AddFileThreat("C:\\bad.exe", "Bad.Tool");
    program.WriteFile("ENoSignature.txt", "first\r\nsecond\r\n");
    window.MakeReport();

    FrmReportForm& report = frmReport();
    const std::string& text = report.txtReport.Text();
    EXPECT_NE(text.find("\r\nBad.Tool\r\nC:\\bad.exe\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nfirstsecond\r\n"), std::string::npos);
    EXPECT_TRUE(text.ends_with("\r\n\r\n=====================End Of Report."));
    EXPECT_EQ(report.Caption(), gProgramName + " Log");

    report.cmdOk.Click();
    EXPECT_FALSE(forms::IsLoaded<FrmReportForm>());
}

TEST_F(ReportTest, TheWindowOpensEmptyWithoutAReport) {
    EXPECT_EQ(frmReport().txtReport.Text(), "");
    EXPECT_EQ(frmReport().Caption(), gProgramName + " Log");
}

}  // namespace
